#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The help manual in a window of the program's own: a text browser over the manual's HTML
// that follows its links, with Back and Forward; links to web pages go to the desktop's
// browser. Its caption is the title of the page shown.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(const QString& manualPath, QWidget* parent = nullptr);

    QToolButton* btnBack;
    QToolButton* btnForward;
    QTextBrowser* Browser;
};

// Shows `owner`'s help window, opening one over the manual at manualPath when it has none;
// throws "Unable to open <path>." when the manual cannot be read.
void ShowHelpWindow(QWidget* owner, const QString& manualPath);
