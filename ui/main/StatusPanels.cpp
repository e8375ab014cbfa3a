#include "ui/main/StatusPanels.h"

#include <QLabel>

namespace {
constexpr int kTextPadding = 6;
constexpr int kPanelGap = 2;
}  // namespace

// The panels stand side by side in a strip that takes what the bar gives it and asks for no
// width of its own, so their widths never hold the window open: a panel reaching past the
// window's edge is cut off there.
TStatusPanels::TStatusPanels(int count, int width, QWidget* parent)
    : QStatusBar(parent), strip_(new QWidget(this)), startWidth_(width) {
    strip_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    addWidget(strip_, 1);
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(strip_);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setMargin(0);
        label->setIndent(0);
        label->setTextFormat(Qt::PlainText);
        panels_.push_back({label, 0});
        SetPanelWidth(i, width);
    }
    strip_->setFixedHeight(panels_.empty() ? 0 : panels_.front().Label->sizeHint().height());
    PlacePanels();
}

QString TStatusPanels::Text(int panel) const {
    return panels_.at(static_cast<std::size_t>(panel)).Label->text();
}

int TStatusPanels::PanelWidth(int panel) const {
    return panels_.at(static_cast<std::size_t>(panel)).Width;
}

void TStatusPanels::SetText(int panel, const QString& text) {
    panels_.at(static_cast<std::size_t>(panel)).Label->setText(text);
}

void TStatusPanels::SetPanelWidth(int panel, int width) {
    TPanel& p = panels_.at(static_cast<std::size_t>(panel));
    p.Width = width;
    p.Label->setVisible(width > 0);
    // Placed at once, so a repaint right after shows the panels at their new widths.
    PlacePanels();
}

void TStatusPanels::PlacePanels() {
    int left = 0;
    for (const TPanel& panel : panels_) {
        if (panel.Width <= 0) continue;
        panel.Label->setGeometry(left, 0, panel.Width, strip_->height());
        left += panel.Width + kPanelGap;
    }
}

void TStatusPanels::ShowMessage(int panel, const QString& message) {
    const QString padded = QLatin1Char(' ') + message + QLatin1Char(' ');
    SetText(panel, padded);
    const TPanel& p = panels_.at(static_cast<std::size_t>(panel));
    SetPanelWidth(panel, p.Label->fontMetrics().horizontalAdvance(padded) + kTextPadding);
}

void TStatusPanels::ResetPanel(int panel) {
    SetText(panel, QString());
    SetPanelWidth(panel, startWidth_);
}
