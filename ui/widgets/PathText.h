#pragma once

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
