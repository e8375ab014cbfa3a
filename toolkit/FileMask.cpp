#include "toolkit/FileMask.h"

#include <QStringList>

TFileMask::TFileMask(const QString& mask) {
    const QStringList parts = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty()) continue;
        if (pattern == QLatin1String("*") || pattern == QLatin1String("*.*")) {
            matchesAll_ = true;
            continue;
        }
        patterns_.emplace_back(QRegularExpression::wildcardToRegularExpression(pattern),
                               QRegularExpression::CaseInsensitiveOption);
    }
    if (patterns_.empty()) matchesAll_ = true;
}

bool TFileMask::Matches(const QString& fileName) const {
    if (matchesAll_) return true;
    for (const QRegularExpression& pattern : patterns_) {
        if (pattern.match(fileName).hasMatch()) return true;
    }
    return false;
}
