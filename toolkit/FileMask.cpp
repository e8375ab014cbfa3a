#include "toolkit/FileMask.h"

#include <QFile>

#include "icons/PathList.h"

TFileMask::TFileMask(const QString& mask) : mask_(QFile::encodeName(mask).toStdString()) {}

bool TFileMask::Matches(const QString& fileName) const {
    return MatchesFileMask(QFile::encodeName(fileName).toStdString(), mask_);
}
