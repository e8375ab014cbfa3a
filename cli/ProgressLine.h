#pragma once

#include <cstddef>
#include <ostream>
#include <string>

// One updating line on stderr for long runs, "files done, the current file", drawn only when
// stderr is a terminal (the paths stream in, so their total is not known ahead). Whatever else is
// printed clears it first, so it never mixes with the results or the failure lines.
class TProgressLine {
public:
    TProgressLine(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TProgressLine() { Clear(); }
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    // Done files are finished; Current is the one last finished.
    void Show(std::size_t done, const std::string& current);
    // Removes the line, if one is drawn.
    void Clear();

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
};
