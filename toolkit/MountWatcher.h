#pragma once

#include <QByteArray>
#include <QObject>

class QTimer;

// Reports when a device has been mounted or unmounted (a drive added or removed on Windows),
// by looking at the system's list of mounted file systems every two seconds.
class TMountWatcher : public QObject {
    Q_OBJECT
public:
    explicit TMountWatcher(QObject* parent = nullptr);

signals:
    void Changed();

private:
    static QByteArray Mounts();
    void Check();

    QTimer* timer_;
    QByteArray mounts_;
};
