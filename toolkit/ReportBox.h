#pragma once

#include <QDialog>
#include <QStyle>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A message whose details may run to thousands of lines, such as the report at the end of a
// batch export: the text's first paragraph as the summary line, the rest in a scrolling list,
// and the box never larger than the screen it opens on. Enter and Escape close it as OK; with
// openFolder an "Open Folder" button closes it too, and OpenFolderChosen then tells so.
class TReportBox : public QDialog {
public:
    // Lines of text are separated by LF or CR LF.
    TReportBox(QWidget* parent, const QString& caption, QStyle::StandardPixmap icon,
               const QString& text, bool openFolder);

    bool OpenFolderChosen() const { return openFolderChosen_; }

    QLabel* Summary;
    QPlainTextEdit* Details;
    QPushButton* OkButton;

private:
    void FitToScreen();

    bool openFolderChosen_ = false;
};
