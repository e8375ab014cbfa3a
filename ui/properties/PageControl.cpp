#include "ui/properties/PageControl.h"

#include <QShortcut>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <utility>

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    // The page keys work from every control of the window, not only from the tabs.
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            if (count() > 0) setCurrentIndex((currentIndex() + step + count()) % count());
        });
    }
}

QSize TPageControl::PageChrome() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect page = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    return size() - page.size();
}

int TPageControl::TabsWidth() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect bar = style()->subElementRect(QStyle::SE_TabWidgetTabBar, &option, this);
    const int before = std::max(0, bar.left());
    return before + tabBar()->sizeHint().width() + before;
}
