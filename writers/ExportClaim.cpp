#include "writers/ExportClaim.h"

std::optional<TExportName> TExportNames::Choose(const std::string& Stem, int Ordinal) {
    std::lock_guard lock(mutex_);
    std::optional<int> attempt = ChooseExportAttempt(Stem, Ordinal, naming_, reserved_);
    if (!attempt) return std::nullopt;
    TExportName name{Stem, *attempt, CandidatePath(Stem, naming_, *attempt)};
    reserved_.insert(name.Path);
    return name;
}

bool TExportNames::Reserve(const std::string& Path) {
    std::lock_guard lock(mutex_);
    return reserved_.insert(Path).second;
}

std::optional<std::string> TExportClaim::After(const std::string&) {
    if (names_.Naming().SkipExisting) return std::nullopt;
    for (;;) {
        std::string path = CandidatePath(name_.Stem, names_.Naming(), ++name_.Attempt);
        if (names_.Reserve(path)) return path;
    }
}
