#pragma once

#include <QString>
#include <string>

// A file mask: wildcard patterns ("*", "?") separated by ";", compared without regard to case.
// A name matches when it matches at least one pattern. As on Windows, "*.*" (and "*", and an
// empty mask) match every name, also one without an extension. The list and the folder scans
// share one rule (MatchesFileMask), so a scan takes exactly the files the list shows.
class TFileMask {
public:
    explicit TFileMask(const QString& mask);

    bool Matches(const QString& fileName) const;

private:
    std::string mask_;
};
