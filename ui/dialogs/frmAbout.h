#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TFramedPicture;

// The "About" box: the program's banner picture, a button over the banner's address that opens
// the home page, the version and OK. Created for one use and shown modally.
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);

    // Opens the product's home page and closes the box.
    void btnHomePageClick();

    TFramedPicture* pnlBanner;
    QPushButton* btnHomePage;
    QLabel* lblVersion;
    QPushButton* btnOK;
};
