#include "cli/ProgressLine.h"

#include "cli/PrintableText.h"

namespace {

// Carriage return and "erase to the end of the line".
constexpr const char* kEraseLine = "\r\x1b[K";

// Long paths keep their end, where the file name is, so the line fits a usual terminal.
std::string Shortened(const std::string& path) {
    constexpr std::size_t kKept = 60;
    return path.size() <= kKept ? path : "..." + path.substr(path.size() - kKept);
}

}  // namespace

void TProgressLine::Show(std::size_t done, const std::string& current) {
    if (!shown_) return;
    err_ << kEraseLine << done << (done == 1 ? " file" : " files") << "  "
         << Shortened(Printable(current)) << std::flush;
    drawn_ = true;
}

void TProgressLine::Clear() {
    if (!drawn_) return;
    err_ << kEraseLine << std::flush;
    drawn_ = false;
}
