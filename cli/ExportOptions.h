#pragma once

#include <string>
#include <vector>

#include "cli/FileCollection.h"
#include "icons/IconFilter.h"
#include "writers/ExportRun.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

// Everything `export` is told on its command line.
struct TExportCommandOptions {
    TExportOptions Export;  // the directory defaults to the current folder
    TIconFilter Filter;     // every image unless --size or --depth is given
    TFileCollection Files;  // with the groups chosen by --group and --main-icon
    bool Unique = false;    // leave out images (icons, in multi-format) met before
    bool Jsonl = false;     // print a manifest line per file instead of its path
    // --hicolor: install one icon group as Name in a hicolor theme folder instead.
    bool Hicolor = false;
    std::string Name;
    bool OutputGiven = false;  // -o was given; otherwise --hicolor takes the user's theme folder
};

// The options of `export` bound to a command: they hold what the parser read.
class TExportCommandLine {
public:
    // Registers every option of `export` on Command; the object must outlive the parse.
    explicit TExportCommandLine(CLI::App& Command);
    TExportCommandLine(const TExportCommandLine&) = delete;
    TExportCommandLine& operator=(const TExportCommandLine&) = delete;

    // The parsed options; throws TUsageError when they cannot be used together.
    TExportCommandOptions Options() const;

private:
    TExportCommandOptions options_;
    CLI::Option* output_ = nullptr;
    std::vector<std::string> sizes_;
    std::vector<std::string> depths_;
};
