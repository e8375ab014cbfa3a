#pragma once

#include <QDialog>

#include "icons/IconFilter.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

// The "Filter Icons" dialog: shows all icons, or only those of the sizes and colour depths
// ticked in its nine boxes. Created for one use.
class TFilterIcons : public QDialog {
    Q_OBJECT
public:
    explicit TFilterIcons(QWidget* parent = nullptr);

    // Loads the dialog from filter and shows it modally. When the user confirms a filter that
    // differs from filter, writes it back and returns true; otherwise returns false and leaves
    // filter untouched.
    bool Execute(TIconFilter& filter);

    // Both radio buttons: the boxes are enabled unless Sender is chkShowAll.
    void chkShowAllClick(QObject* Sender);
    // Closes the dialog as confirmed unless no size or no colour depth is ticked.
    void btnOKClick();
    void btnCancelClick();

    QRadioButton* chkShowAll;
    QRadioButton* chkFilter;
    QWidget* Panel1;
    QCheckBox* chk16x16;
    QCheckBox* chk32x32;
    QCheckBox* chk48x48;
    QCheckBox* chkOtherSizes;
    QCheckBox* chkMonochrome;
    QCheckBox* chk16color;
    QCheckBox* chk256color;
    QCheckBox* chk24bitcolor;
    QCheckBox* chk32bitcolor;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void LoadBoxes(const TIconFilter& filter);
    TIconFilter ReadBoxes() const;
    void SetTabOrder();
    void FitTexts();
    void FitPanel();

    bool Cancelled = true;
};
