#include "toolkit/ReportBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>

namespace {

// The share of the screen's free area the box may take at most.
constexpr double kScreenShare = 0.8;
// Characters the details list is at least wide enough for.
constexpr int kLeastDetailColumns = 60;

}  // namespace

TReportBox::TReportBox(QWidget* parent, const QString& caption, QStyle::StandardPixmap icon,
                       const QString& text, bool openFolder)
    : QDialog(parent) {
    setWindowTitle(caption);
    QStringList lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                            .split(QLatin1Char('\n'));
    const qsizetype blank = lines.indexOf(QString());
    const QStringList details = blank < 0 ? QStringList() : lines.mid(blank + 1);
    if (blank >= 0) lines.resize(blank);

    auto* picture = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(side, side));
    Summary = new QLabel(lines.join(QLatin1Char('\n')), this);
    Summary->setTextFormat(Qt::PlainText);
    Summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Details = new QPlainTextEdit(details.join(QLatin1Char('\n')).trimmed(), this);
    Details->setReadOnly(true);
    Details->setLineWrapMode(QPlainTextEdit::NoWrap);
    Details->setVisible(!Details->toPlainText().isEmpty());

    auto* buttons = new QDialogButtonBox(this);
    OkButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OkButton->setDefault(true);
    if (openFolder) {
        QPushButton* open =
            buttons->addButton(QStringLiteral("Open Folder"), QDialogButtonBox::ActionRole);
        connect(open, &QPushButton::clicked, this, [this] {
            openFolderChosen_ = true;
            accept();
        });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, Qt::AlignTop);
    grid->addWidget(Summary, 0, 1);
    grid->addWidget(Details, 1, 0, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    OkButton->setFocus();
    FitToScreen();
}

// As large as the details want, up to the screen's share; beyond that the list scrolls.
void TReportBox::FitToScreen() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const QSize most = screen->availableGeometry().size() * kScreenShare;
    setMaximumSize(most);
    if (Details->isHidden()) {
        adjustSize();
        return;
    }
    const QFontMetrics metrics = Details->fontMetrics();
    int widest = metrics.averageCharWidth() * kLeastDetailColumns;
    const QStringList lines = Details->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int chrome = 2 * Details->frameWidth() +
                       4 * static_cast<int>(Details->document()->documentMargin());
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Details);
    const int tall = static_cast<int>(lines.size()) * metrics.lineSpacing();
    const QSize wanted(widest + chrome + bar, tall + chrome + bar);
    Details->setMinimumSize(std::min(wanted.width(), most.width() / 2),
                            std::min(wanted.height(), 4 * metrics.lineSpacing() + chrome));
    const QSize around = sizeHint() - Details->sizeHint();
    resize((around + wanted).boundedTo(most).expandedTo(minimumSizeHint()).boundedTo(most));
}
