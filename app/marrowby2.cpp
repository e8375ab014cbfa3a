// The program entry. One optional argument, a file or a folder, is what a file manager's
// "Open With" hands over: the window starts in its folder with the file chosen. No other
// running copy is looked for: each start opens a main window of its own.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <QIcon>
#include <memory>
#include <string>

#include "ui/main/frmMain.h"
#include "ui/splash/Splash.h"

int main(int argc, char** argv) {
    CLI::App arguments{"Marrowby 2: finds, shows and extracts icons.", "marrowby2"};
    std::string startPath;
    arguments.add_option("FILE|FOLDER", startPath, "File to open, or folder to show");
    CLI11_PARSE(arguments, argc, argv);
    // The toolkit is not shown the command line: the argument is the program's alone.
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("marrowby2")));
    ShowSplash();
    auto Main = std::make_unique<TMain>();
    if (!startPath.empty()) Main->OpenOnStart(QString::fromLocal8Bit(startPath));
    HideSplash();
    // Shown as the loop starts; the first showing restores the stored settings.
    Main->show();
    const int result = application.exec();
    // The main window goes before the application object it lives in.
    Main.reset();
    return result;
}
