#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <map>

class QSocketNotifier;
class QTimer;

// Watches folders through the kernel's change notices and reports each folder that changed
// once things have been quiet for a moment, so a burst of changes (a copy of many files) gives
// one report. A contents watch sees files and folders created, deleted, renamed, written and
// given new attributes; a folder-names watch sees only subfolders come and go. Both see the
// watched folder itself disappear.
class TFolderWatcher : public QObject {
    Q_OBJECT
public:
    explicit TFolderWatcher(QObject* parent = nullptr);
    ~TFolderWatcher() override;

    // Stops every watch.
    void Clear();
    void WatchContents(const QString& folder);
    void WatchFolderNames(const QString& folder);

signals:
    void Changed(const QString& folder);

private:
    struct TWatch {
        QString folder;
        bool namesOnly = false;
    };

    void Add(const QString& folder, bool namesOnly);
    void ReadNotices();
    void ReportPending();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* quiet_;
    std::map<int, TWatch> watches_;
    QSet<QString> pending_;
};
