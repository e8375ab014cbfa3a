#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <functional>

// Pictures that stand for a file, read in the background: the first request for a file
// queues a read and answers with no icon; when the read is done, IconRead tells which file now
// has one. Answers are kept by path and modification time, so a file changed since is read
// again. The reader runs on a worker thread of lowest priority, one file at a time, so that the
// list and the program's own work never wait for it.
class TFileIcons : public QObject {
    Q_OBJECT
public:
    // The pictures of one file, one per size, or none; called on the worker thread.
    using TReader = std::function<QList<QImage>(const QString& path)>;

    explicit TFileIcons(QObject* parent = nullptr);
    ~TFileIcons() override;

    // Without a reader no file gets an icon.
    void SetReader(TReader reader);
    // The file's own icon when it has been read; a null icon otherwise.
    QIcon Icon(const QFileInfo& file);
    // Drops the reads not yet started, for files no longer shown.
    void ForgetQueued();

signals:
    void IconRead(const QString& path);

private:
    struct TEntry {
        QDateTime Modified;
        QIcon Icon;
        bool Pending = true;
    };
    void Queue(const QString& path, const QDateTime& modified);
    void Store(const QString& path, const QDateTime& modified, const QList<QImage>& pictures);

    TReader reader_;
    QHash<QString, TEntry> entries_;
    QThreadPool pool_;
};
