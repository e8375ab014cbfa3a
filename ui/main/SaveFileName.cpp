#include "ui/main/SaveFileName.h"

QString FileExtension(const QString& FileName) {
    const qsizetype nameStart = FileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart ? FileName.mid(dot).toLower() : QString();
}

QString WithExtension(const QString& FileName, const QString& Extension) {
    return FileExtension(FileName) == Extension ? FileName : FileName + Extension;
}
