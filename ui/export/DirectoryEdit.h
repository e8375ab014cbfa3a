#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A one-line edit for a folder path with a button at its right that opens the folder browser
// on the folder typed and puts the chosen folder into the edit.
class TDirectoryEdit : public QWidget {
public:
    // Caption is the title of the folder browser.
    TDirectoryEdit(const QString& Caption, QWidget* parent);

    QString text() const;
    void setText(const QString& Text);

    QLineEdit* Edit;
    QToolButton* Button;

private:
    void ButtonClick();

    QString Caption;
};
