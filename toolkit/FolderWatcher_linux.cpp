#include <sys/inotify.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <utility>

#include "toolkit/FolderWatcher.h"

namespace {

constexpr int kQuietMilliseconds = 50;
constexpr std::uint32_t kSelfGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED;
constexpr std::uint32_t kNamesMask =
    IN_CREATE | IN_DELETE | IN_MOVE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr std::uint32_t kContentsMask = kNamesMask | IN_ATTRIB | IN_MODIFY | IN_CLOSE_WRITE;

}  // namespace

TFolderWatcher::TFolderWatcher(QObject* parent) : QObject(parent), quiet_(new QTimer(this)) {
    quiet_->setSingleShot(true);
    quiet_->setInterval(kQuietMilliseconds);
    connect(quiet_, &QTimer::timeout, this, &TFolderWatcher::ReportPending);
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return;  // no change notices on this system: the folders are simply not watched
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TFolderWatcher::ReadNotices);
}

TFolderWatcher::~TFolderWatcher() {
    if (fd_ >= 0) ::close(fd_);
}

void TFolderWatcher::Clear() {
    for (const auto& [descriptor, watch] : watches_) inotify_rm_watch(fd_, descriptor);
    watches_.clear();
    pending_.clear();
}

void TFolderWatcher::WatchContents(const QString& folder) {
    Add(folder, false);
}

void TFolderWatcher::WatchFolderNames(const QString& folder) {
    Add(folder, true);
}

void TFolderWatcher::Add(const QString& folder, bool namesOnly) {
    if (fd_ < 0 || folder.isEmpty()) return;
    const int descriptor = inotify_add_watch(fd_, QFile::encodeName(folder).constData(),
                                             namesOnly ? kNamesMask : kContentsMask);
    if (descriptor >= 0) watches_[descriptor] = TWatch{folder, namesOnly};
}

void TFolderWatcher::ReadNotices() {
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length <= 0) break;  // EAGAIN: everything read
        for (ssize_t at = 0; at < length;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
            const auto watch = watches_.find(notice->wd);
            if (watch == watches_.end()) continue;  // a watch already given up
            const bool gone = (notice->mask & kSelfGone) != 0;
            if (watch->second.namesOnly && !gone && !(notice->mask & IN_ISDIR)) continue;
            pending_.insert(watch->second.folder);
            if (notice->mask & IN_IGNORED) watches_.erase(watch);
        }
    }
    if (!pending_.isEmpty()) quiet_->start();
}

void TFolderWatcher::ReportPending() {
    const QSet<QString> changed = std::exchange(pending_, {});
    for (const QString& folder : changed) emit Changed(folder);
}
