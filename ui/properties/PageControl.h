#pragma once

#include <QSize>
#include <QTabWidget>

// A page control whose tabs always show in full: the tab row never scrolls or elides, and
// TabsWidth tells how wide the control must be for the whole row to fit.
class TPageControl : public QTabWidget {
public:
    explicit TPageControl(QWidget* parent);

    // What the tabs and the borders take: the control's size minus its page area's, valid
    // before the control has ever been shown.
    QSize PageChrome() const;
    // The narrowest width at which every tab shows in full.
    int TabsWidth() const;
};
