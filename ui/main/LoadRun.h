#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// The reading part of the main window's load run: the files of one run are read on worker
// threads by the parallel loader while the window keeps serving input. Progress and the end of
// the run reach the window on its own thread; the icons read wait here, in path order, until
// the window takes them at the run's end.
class TLoadRun : public QObject {
    Q_OBJECT
public:
    TLoadRun();
    // Stops the reading and waits for it.
    ~TLoadRun() override;
    TLoadRun(const TLoadRun&) = delete;
    TLoadRun& operator=(const TLoadRun&) = delete;

    // A run is in progress: from Begin to End.
    bool Loading = false;
    // The run must stop before its next file.
    bool AbortLoad = false;
    // The window was asked to close during the run.
    bool CloseRequested = false;

    // Loading set, AbortLoad cleared.
    void Begin();
    // Starts reading Paths with Options; Progress follows as files are read, then Finished.
    void Start(std::vector<std::string> Paths, TLoadOptions Options = {});
    // Sets AbortLoad; the reading stops before its next file.
    void Abort();
    // The icons read, in path order: one per file that gave one, also one without images.
    std::vector<std::unique_ptr<TLoadedIcon>> TakeIcons();
    // Why the run's one path gave no icons; empty when it gave some, or the run read several.
    std::string Reason();
    // Loading cleared.
    void End();

signals:
    // The number of files read so far.
    void Progress(int Done);
    // The reading has ended, completed or stopped; emitted on the window's thread.
    void Finished();

private:
    void Read(const std::vector<std::string>& paths, const TLoadOptions& load);
    void PostProgress();
    void Join();

    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    std::atomic<int> done_{0};
    std::atomic<bool> progressPosted_{false};
    std::mutex mutex_;
    std::vector<std::unique_ptr<TLoadedIcon>> read_;
    std::string reason_;
};
