// The program entry. No argument is read (the toolkit is not shown the command line either)
// and no other running copy is looked for: each start opens a main window of its own.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/Splash.h"
#include "ui/frmMain.h"

int main(int, char** argv) {
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("marrowby2")));
    ShowSplash();
    auto Main = std::make_unique<TMain>();
    HideSplash();
    // Shown as the loop starts; the first showing restores the stored settings.
    Main->show();
    const int result = application.exec();
    // The main window goes before the application object it lives in.
    Main.reset();
    return result;
}
