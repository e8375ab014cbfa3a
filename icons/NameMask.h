#pragma once

#include <string>
#include <string_view>
#include <vector>

// A file mask read once and matched against many names: wildcard patterns ("*", "?", "[...]")
// separated by ";", spaces around them ignored, compared without regard to case; a name is
// taken when it matches one of them whole. "*.*" and "*" (and a mask of no pattern) take
// every file, also one without an extension; "*.ico" takes "a.ICO" but not "a.ic".
class TNameMask {
public:
    explicit TNameMask(std::string_view mask);
    bool Matches(std::string_view name) const;

private:
    struct TPattern {
        std::string Text;
        // "*" then plain ASCII (such as "*.ico"): compared as a suffix rather than by fnmatch,
        // which in a multibyte locale folds case by converting both sides to wide characters.
        bool PlainSuffix = false;
    };

    std::vector<TPattern> patterns_;
    bool all_ = false;
};

// Whether a scan takes the file `name` under `mask` (TNameMask).
bool MatchesFileMask(std::string_view name, std::string_view mask);
