#include "toolkit/MountWatcher.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

constexpr int kPollMilliseconds = 2000;

}  // namespace

TMountWatcher::TMountWatcher(QObject* parent)
    : QObject(parent), timer_(new QTimer(this)), mounts_(Mounts()) {
    connect(timer_, &QTimer::timeout, this, &TMountWatcher::Check);
    timer_->start(kPollMilliseconds);
}

// The kernel's mount table where there is one, else the list of drives. Only the table is
// read: asking each file system for its state could hang on a dead network share.
QByteArray TMountWatcher::Mounts() {
    QFile table(QStringLiteral("/proc/self/mounts"));
    if (table.open(QIODevice::ReadOnly)) return table.readAll();
    QByteArray drives;
    for (const QFileInfo& drive : QDir::drives())
        drives += drive.absoluteFilePath().toUtf8() + '\n';
    return drives;
}

void TMountWatcher::Check() {
    QByteArray now = Mounts();
    if (now == mounts_) return;
    mounts_ = std::move(now);
    emit Changed();
}
