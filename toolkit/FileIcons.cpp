#include "toolkit/FileIcons.h"

#include <QPixmap>

namespace {
// Past this many files the cache starts afresh rather than growing without end.
constexpr int kMaxEntries = 4096;
}  // namespace

TFileIcons::TFileIcons(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(1);
    pool_.setThreadPriority(QThread::LowestPriority);
}

TFileIcons::~TFileIcons() {
    pool_.clear();
    pool_.waitForDone();
}

void TFileIcons::SetReader(TReader reader) {
    reader_ = std::move(reader);
}

QIcon TFileIcons::Icon(const QFileInfo& file) {
    if (!reader_) return {};
    const QString path = file.absoluteFilePath();
    const QDateTime modified = file.lastModified();
    const auto found = entries_.constFind(path);
    if (found != entries_.constEnd() && found->Modified == modified) return found->Icon;
    Queue(path, modified);
    return {};
}

void TFileIcons::ForgetQueued() {
    pool_.clear();
    entries_.removeIf([](const auto& entry) { return entry.value().Pending; });
}

void TFileIcons::Queue(const QString& path, const QDateTime& modified) {
    if (entries_.size() >= kMaxEntries) entries_.clear();
    entries_.insert(path, TEntry{modified, {}, true});
    pool_.start([this, reader = reader_, path, modified] {
        QList<QImage> pictures = reader(path);
        QMetaObject::invokeMethod(
            this, [this, path, modified, pictures] { Store(path, modified, pictures); },
            Qt::QueuedConnection);
    });
}

// Pixmaps are made here, on the user-interface thread, where they belong.
void TFileIcons::Store(const QString& path, const QDateTime& modified,
                       const QList<QImage>& pictures) {
    QIcon icon;
    for (const QImage& picture : pictures) icon.addPixmap(QPixmap::fromImage(picture));
    entries_.insert(path, TEntry{modified, icon, false});
    if (!icon.isNull()) emit IconRead(path);
}
