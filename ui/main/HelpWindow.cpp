#include "ui/main/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

constexpr QSize kHelpWindowSize(760, 620);

QToolButton* NavigationButton(const QString& text, QKeySequence::StandardKey key, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setShortcut(key);
    button->setToolTip(text + QStringLiteral(" (") +
                       QKeySequence(key).toString(QKeySequence::NativeText) + u')');
    button->setEnabled(false);
    return button;
}

}  // namespace

THelpWindow::THelpWindow(const QString& manualPath, QWidget* parent)
    : QWidget(parent, Qt::Window),
      btnBack(NavigationButton(QStringLiteral("Back"), QKeySequence::Back, this)),
      btnForward(NavigationButton(QStringLiteral("Forward"), QKeySequence::Forward, this)),
      Browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    Browser->setOpenExternalLinks(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Browser);
    connect(btnBack, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(btnForward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, btnBack, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, btnForward, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(Browser->documentTitle()); });
    Browser->setSource(QUrl::fromLocalFile(manualPath));
    resize(kHelpWindowSize);
}

void ShowHelpWindow(QWidget* owner, const QString& manualPath) {
    auto* window = owner->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        if (!QFileInfo(manualPath).isReadable()) {
            throw std::runtime_error(QStringLiteral("Unable to open %1.")
                                         .arg(QDir::toNativeSeparators(manualPath))
                                         .toStdString());
        }
        window = new THelpWindow(manualPath, owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
