#include "ui/main/RecentFiles.h"

#include <QUrl>

void TRecentFiles::Add(const QString& path) {
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > Capacity) paths_.removeLast();
}

void TRecentFiles::Remove(const QString& path) {
    paths_.removeAll(path);
}

QString TRecentFiles::Text() const {
    QStringList encoded;
    for (const QString& path : paths_)
        encoded << QString::fromLatin1(QUrl::toPercentEncoding(path, "/"));
    return encoded.join(QLatin1Char(' '));
}

void TRecentFiles::SetText(const QString& text) {
    paths_.clear();
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString path = QUrl::fromPercentEncoding(part.toLatin1());
        if (!path.isEmpty() && paths_.size() < Capacity && !paths_.contains(path))
            paths_ << path;
    }
}
