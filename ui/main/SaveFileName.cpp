#include "ui/main/SaveFileName.h"

QString WithExtension(const QString& FileName, const QString& Extension) {
    const qsizetype nameStart = FileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    const QString own = dot >= nameStart ? FileName.mid(dot).toLower() : QString();
    return own == Extension ? FileName : FileName + Extension;
}
