#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>

#include "writers/ExportNaming.h"
#include "writers/OutputFile.h"

// The name chosen for one exported file: a candidate of its stem (see CandidatePath).
struct TExportName {
    std::string Stem;
    int Attempt = 1;
    std::string Path;
};

// The names of one export run, given or about to be given, so that no two of its files get one
// name whichever thread writes them. Other programs writing into the folder at the same time
// are kept apart by the claims (TExportClaim).
class TExportNames {
public:
    explicit TExportNames(const TExportNaming& Naming) : naming_(Naming) {}

    // Chooses the name of a file of Stem as ChooseExportAttempt does and reserves it; nothing
    // when the file is skipped as existing.
    std::optional<TExportName> Choose(const std::string& Stem, int Ordinal);
    // Reserves Path; false when the run has already given it.
    bool Reserve(const std::string& Path);
    const TExportNaming& Naming() const { return naming_; }

private:
    TExportNaming naming_;
    std::mutex mutex_;
    std::unordered_set<std::string> reserved_;
};

// The claim of one exported file: its chosen name first. When another program took that name
// in the meantime, the next candidates of its stem that the run has not given, each reserved as
// it is offered; with SkipExisting none, so that the file counts as existing.
class TExportClaim : public TNameClaim {
public:
    TExportClaim(TExportNames& Names, TExportName Name) : names_(Names), name_(std::move(Name)) {}

    std::string First() const override { return name_.Path; }
    std::optional<std::string> After(const std::string& Taken) override;

private:
    TExportNames& names_;
    TExportName name_;
};
