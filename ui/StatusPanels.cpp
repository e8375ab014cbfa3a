#include "ui/StatusPanels.h"

#include <QLabel>
#include <QLayout>

namespace {
constexpr int kTextPadding = 6;
}  // namespace

TStatusPanels::TStatusPanels(int count, int width, QWidget* parent) : QStatusBar(parent) {
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setMargin(0);
        label->setIndent(0);
        label->setTextFormat(Qt::PlainText);
        addWidget(label);
        panels_.push_back({label, 0});
        SetPanelWidth(i, width);
    }
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
    p.Label->setFixedWidth(width);
    p.Label->setVisible(width > 0);
    // Lay the panels out at once, so a repaint right after shows them at their new widths.
    if (layout()) layout()->activate();
}

void TStatusPanels::ShowMessage(int panel, const QString& message) {
    const QString padded = QLatin1Char(' ') + message + QLatin1Char(' ');
    SetText(panel, padded);
    const TPanel& p = panels_.at(static_cast<std::size_t>(panel));
    SetPanelWidth(panel, p.Label->fontMetrics().horizontalAdvance(padded) + kTextPadding);
}
