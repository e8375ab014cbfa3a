#pragma once

#include <QString>
#include <QStringList>

// The files last opened, newest first, at most Capacity of them, each once.
class TRecentFiles {
public:
    static constexpr int Capacity = 10;

    const QStringList& Paths() const { return paths_; }
    // Puts a path first, dropping an earlier mention of it and the oldest beyond Capacity.
    void Add(const QString& path);
    void Remove(const QString& path);

    // The list as one stored text: each path percent-encoded, so that neither the blanks
    // between them nor the trimming of stored texts can change a path, separated by blanks.
    QString Text() const;
    void SetText(const QString& text);

private:
    QStringList paths_;
};
