#include "ui/dialogs/frmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "toolkit/Prompter.h"
#include "ui/main/HelpAndWeb.h"
#include "ui/splash/SplashPicture.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/FramedPicture.h"

namespace {

constexpr int kDesignWidth = 439;
constexpr int kDesignHeight = 409;

}  // namespace

TAbout::TAbout(QWidget* parent) : QDialog(parent, kDialogFrame) {
    setWindowTitle(QStringLiteral("About"));
    UseDesignFont(this);
    setFixedSize(kDesignWidth, kDesignHeight);
    pnlBanner = Place(new TFramedPicture(SplashPicture(devicePixelRatioF()), this), "pnlBanner",
                      {8, 8, 422, 217});
    // The banner button lies over the picture's address: flat, see-through and never focused.
    btnHomePage = Place(new QPushButton(this), "btnHomePage", {156, 133, 255, 14});
    btnHomePage->setFlat(true);
    btnHomePage->setFocusPolicy(Qt::NoFocus);
    btnHomePage->setCursor(Qt::PointingHandCursor);
    btnHomePage->setStyleSheet(QStringLiteral("border: none; background: transparent;"));
    btnHomePage->setAccessibleName(QStringLiteral("Marrowby Home Page"));
    lblVersion = MakeLabel(this, "lblVersion", "Version 2.19.115", {168, 236});
    btnOK = Place(new QPushButton(QStringLiteral("OK"), this), "btnOK", {168, 368, 75, 25});
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnHomePage, &QPushButton::clicked, this, &TAbout::btnHomePageClick);
    CentreOnScreen(this);
}

void TAbout::btnHomePageClick() {
    RunCommand(this, [] { OpenWebPage(kHomePage); });
    close();
}
