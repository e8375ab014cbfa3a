// The program entry: the main window, shown, until it closes.
#include <QApplication>

#include "ui/frmMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TMain main;
    main.show();
    return application.exec();
}
