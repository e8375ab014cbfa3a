#include "ui/properties/PageControl.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
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
