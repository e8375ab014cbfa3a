#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The icon a file shows in the file list: its own image chosen as for a thumbnail, at 16 and
// 32 pixels (scaled down when larger, straight alpha); none for a file without icons. Safe to
// call on any thread; never throws.
QList<QImage> ReadOwnFileIcon(const QString& path);
