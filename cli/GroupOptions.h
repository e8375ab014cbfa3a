#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "icons/GroupFilter.h"
#include "icons/LoadedIcon.h"

namespace CLI {
class App;
}

// Registers --group NAME (repeatable) and --main-icon on a command: only those icon groups are
// read.
void AddGroupOptions(CLI::App& command, TGroupFilter& groups);

// Which of the group names asked for were found in the files read so far.
class TGroupsFound {
public:
    explicit TGroupsFound(const TGroupFilter& groups);

    // Notes the groups an icon holds.
    void Saw(const TLoadedIcon& icon);
    // Names each group found in no file on err; the exit code the run ends with for it.
    int ReportMissing(std::ostream& err) const;

private:
    std::vector<std::string> names_;
    std::vector<bool> found_;
};
