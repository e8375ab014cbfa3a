// The main window's load runs as a user sees them: the load of one large library from the
// choice to the complete grid, and the folder-tree scan of a whole folder (the subdirectory
// scan dialog, then one load run over every matching file). Beside each time it prints the
// longest stretch in which the event loop did not turn, which must stay under 50 ms for the
// window to keep answering.
//
//   bench_window [LIBRARY] [FOLDER]
// defaults: Wine's shell32.dll and Wine's library folder. Run with QT_QPA_PLATFORM=offscreen.
// bench/scan-vs-list.sh puts the scan beside `marrowby2-cli list -r` over the same folder.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <string>

#include "LoopWatch.h"
#include "ui/main/LoadRun.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"

namespace {

void WaitForRun(TMain& main) {
    TurnUntil([&] { return !main.LoadRun->Loading; });
}

// CPU time of the whole process, every thread, in milliseconds: steadier than the wall time on
// a machine shared with other work.
double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string library =
        argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    const QString folder =
        QString::fromLocal8Bit(argc > 2 ? argv[2] : "/usr/lib/x86_64-linux-gnu/wine/");
    TMain main;
    main.show();
    TurnUntil([&] { return !main.CurrentFolder.isEmpty() && !main.LoadRun->Loading; });
    TLoopWatch watch;

    QElapsedTimer clock;
    watch.Start();
    clock.start();
    main.LoadFiles(false, std::vector<std::string>{library});
    WaitForRun(main);
    double longest = watch.Stop();
    std::printf("load %s: %d cells, %.1f ms, longest event-loop gap %.1f ms\n", library.c_str(),
                main.lbxViewer->Count(), clock.nsecsElapsed() / 1e6, longest);

    main.CurrentFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    watch.Start();
    clock.start();
    const double cpu = CpuMilliseconds();
    main.btnScanDirectoriesClick();
    WaitForRun(main);
    QCoreApplication::processEvents();  // the grid's first paint
    longest = watch.Stop();
    std::printf(
        "folder-tree scan %s:%s, %zu with icons, %d cells, %.1f ms (CPU %.1f ms), longest "
        "event-loop gap %.1f ms\n",
        main.CurrentFolder.toLocal8Bit().constData(),
        main.StatusBar->Text(0).toLocal8Bit().constData(), main.LoadedIcons.size(),
        main.lbxViewer->Count(), clock.nsecsElapsed() / 1e6, CpuMilliseconds() - cpu, longest);
    return 0;
}
