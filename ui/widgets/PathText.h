#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <string>

// File paths cross between Qt and the icon core as the file system's own bytes.
inline std::string ToFilePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString FromFilePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A folder path ending in the platform's separator, as the window shows its folders; an empty
// path stays empty.
inline QString WithTrailingSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QDir::separator())) return folder;
    return folder + QDir::separator();
}
