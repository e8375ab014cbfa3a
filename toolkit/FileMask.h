#pragma once

#include <QRegularExpression>
#include <QString>
#include <vector>

// A file mask: wildcard patterns ("*", "?") separated by ";", compared without regard to case.
// A name matches when it matches at least one pattern. As on Windows, "*.*" (and "*", and an
// empty mask) match every name, also one without an extension.
class TFileMask {
public:
    explicit TFileMask(const QString& mask);

    bool Matches(const QString& fileName) const;

private:
    bool matchesAll_ = false;
    std::vector<QRegularExpression> patterns_;
};
