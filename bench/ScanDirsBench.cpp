// The subdirectory scan as a user meets it: the "Scanning Subdirectories" dialog listing every
// folder below a folder and the icon files in them. Prints the files found, the time from the
// command to the list and the longest stretch in which the event loop did not turn (under 50 ms
// keeps the window answering). bench/folder-walk.sh puts the time beside `find FOLDER -type d`.
//
//   bench_scandirs [FOLDER] [RUNS]     defaults: /usr/lib, 5 (the fastest run is printed)
// Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "LoopWatch.h"
#include "icons/PathList.h"
#include "ui/dialogs/frmScanDirs.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : "/usr/lib";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    double fastest = 0, longestGap = 0;
    std::size_t found = 0;
    for (int run = 0; run < runs; ++run) {
        TLoopWatch watch;
        QElapsedTimer clock;
        TFoundFiles result;
        watch.Start();
        clock.start();
        ScanSubdirectories(folder, std::string(kIconFileMask), result);
        const double ms = clock.nsecsElapsed() / 1e6;
        longestGap = std::max(longestGap, watch.Stop());
        fastest = run == 0 ? ms : std::min(fastest, ms);
        found = result.Files.size();
    }
    std::printf("subdirectory scan %s: %zu files, %.1f ms, longest event-loop gap %.1f ms\n",
                folder.c_str(), found, fastest, longestGap);
    return 0;
}
