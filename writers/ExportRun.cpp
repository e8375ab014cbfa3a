#include "writers/ExportRun.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "writers/ExportClaim.h"

namespace {

// Names one file at a time, skips, writes or fails it, and keeps the tally and the source file
// shown.
class TExportFiles {
public:
    // MultiFormat: one file per icon rather than per image.
    TExportFiles(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                 const TExportOptions& Options, bool MultiFormat, TExportProgress& Progress)
        : options_(Options),
          progress_(Progress),
          names_(Options.Naming, MultiFormat),
          given_(Options.Naming) {
        std::unordered_set<const TLoadedIconImage*> shown;
        for (const TExportEntry& entry : Entries) shown.insert(entry.Image);
        names_.Count(Loaded,
                     [&](const TLoadedIconImage& image) { return shown.count(&image) > 0; });
    }

    // The name of the file that Image names (the first image of an icon in multi-format mode);
    // nothing when the file is skipped.
    std::optional<TExportName> Name(const TLoadedIconImage& Image, int Number) {
        ShowSource(Image);
        std::string stem = ExportStem(NamePartsOf(Image, Number), options_.Naming);
        int ordinal = names_.Ordinal(Image);
        // A name chosen earlier stays taken even when its file could not be written.
        std::optional<TExportName> name = given_.Choose(stem, ordinal);
        if (!name) Skip(CandidatePath(stem, options_.Naming, ordinal));
        return name;
    }

    // Runs Write with the claim of the file's name; its error counts the file as failed, a claim
    // that found the name taken counts it as skipped.
    template <typename TWrite>
    void Write(const TExportName& Name, TWrite&& Write) {
        TExportClaim claim(given_, Name);
        try {
            Write(TOutputTarget(claim));
        } catch (const std::exception& error) {
            result_.Failed.push_back({Name.Path, error.what()});
            return;
        }
        if (!claim.Given()) {
            Skip(Name.Path);
            return;
        }
        ++result_.Written;
        progress_.FileWritten(*claim.Given());
    }

    // Leaves out the damaged images of Images, each counted as skipped with its reason: they
    // would come out blank.
    void LeaveOutDamaged(std::vector<TLoadedIconImage*>& Images) {
        std::erase_if(Images, [this](const TLoadedIconImage* image) {
            if (image->Damage().empty()) return false;
            ShowSource(*image);
            ++result_.Skipped;
            result_.Damaged.push_back({image, image->Damage()});
            return true;
        });
    }

    // Moves the progress on and tells whether the run is to stop.
    bool Advance(int Position) {
        progress_.PositionChanged(Position);
        result_.Cancelled = progress_.CancelRequested();
        return result_.Cancelled;
    }

    const TExportResult& Result() const { return result_; }

private:
    void Skip(const std::string& Path) {
        ++result_.Skipped;
        progress_.FileSkipped(Path);
    }

    void ShowSource(const TLoadedIconImage& Image) {
        std::string name =
            Image.Owner ? std::filesystem::path(Image.Owner->FileName).filename().string() : "";
        if (shown_ && name == *shown_) return;
        shown_ = name;
        progress_.SourceFileChanged(name);
    }

    const TExportOptions& options_;
    TExportProgress& progress_;
    TEmptyFolderNames names_;
    TExportResult result_;
    TExportNames given_;
    std::optional<std::string> shown_;
};

// Names and writes one selected image, unless it is damaged.
void ExportImage(TExportFiles& Files, TLoadedIconImage& Image, int Number,
                 const TExportOptions& Options, const TImageWriter& Writer) {
    std::vector<TLoadedIconImage*> sound{&Image};
    Files.LeaveOutDamaged(sound);
    if (sound.empty()) return;
    std::optional<TExportName> name = Files.Name(Image, Number);
    if (name)
        Files.Write(
            *name, [&](const TOutputTarget& target) { Writer(Image, target, Options.Background); });
}

TExportResult RunSingleImage(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                             const TExportOptions& Options, TExportProgress& Progress,
                             const TImageWriter& Writer) {
    TExportFiles files(Entries, Loaded, Options, false, Progress);
    auto selected = std::count_if(Entries.begin(), Entries.end(),
                                  [](const TExportEntry& entry) { return entry.Selected; });
    Progress.PhaseStarted(TExportPhase::Writing, static_cast<int>(selected));
    int position = 0;
    int gridPosition = 0;
    for (const TExportEntry& entry : Entries) {
        if (!entry.Hidden) ++gridPosition;
        if (!entry.Selected) continue;
        ExportImage(files, *entry.Image, gridPosition, Options, Writer);
        if (files.Advance(++position)) break;
    }
    return files.Result();
}

// One icon to write: its key and the number a numeric name gives it.
struct TIconGroup {
    std::string Key;
    int Number = 0;
};

// The icons of the selected entries in grid order; a key is listed again when the selected
// images of one icon are not next to each other. Nothing when the search was cancelled.
std::optional<std::vector<TIconGroup>> FindIconGroups(const std::vector<TExportEntry>& Entries,
                                                      TExportProgress& Progress) {
    std::vector<TIconGroup> groups;
    Progress.PhaseStarted(TExportPhase::Searching, static_cast<int>(Entries.size()));
    int gridPosition = 0;
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        Progress.PositionChanged(static_cast<int>(i));
        if (!Entries[i].Hidden) ++gridPosition;
        if (Entries[i].Selected) {
            std::string key = IconKey(*Entries[i].Image);
            if (groups.empty() || groups.back().Key != key)
                groups.push_back({std::move(key), gridPosition});
        }
        if (Progress.CancelRequested()) return std::nullopt;
    }
    return groups;
}

// Every entry's image under its icon key, in grid order: the members of each icon file.
std::unordered_map<std::string, std::vector<TLoadedIconImage*>> MembersByKey(
    const std::vector<TExportEntry>& Entries) {
    std::unordered_map<std::string, std::vector<TLoadedIconImage*>> members;
    for (const TExportEntry& entry : Entries) members[IconKey(*entry.Image)].push_back(entry.Image);
    return members;
}

TExportResult RunMultiFormat(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                             const TExportOptions& Options, TExportProgress& Progress) {
    std::optional<std::vector<TIconGroup>> groups = FindIconGroups(Entries, Progress);
    if (!groups) {
        TExportResult cancelled;
        cancelled.Cancelled = true;
        return cancelled;
    }
    auto members = MembersByKey(Entries);
    const TGroupWriter writeGroup = GroupWriterFor(Options.Naming.Format);
    TExportFiles files(Entries, Loaded, Options, true, Progress);
    Progress.PhaseStarted(TExportPhase::Writing, static_cast<int>(groups->size()));
    int position = 0;
    for (const TIconGroup& group : *groups) {
        // Taking the members out leaves nothing for a key listed a second time.
        std::vector<TLoadedIconImage*> icon = std::move(members[group.Key]);
        members[group.Key].clear();
        std::optional<TExportName> name;
        if (!icon.empty()) name = files.Name(*icon.front(), group.Number);
        if (name) files.LeaveOutDamaged(icon);
        if (name && !icon.empty())
            files.Write(*name, [&](const TOutputTarget& target) { writeGroup(target, icon, Options.Background); });
        if (files.Advance(++position)) break;
    }
    return files.Result();
}

}  // namespace

TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                        const TExportOptions& Options, TExportProgress& Progress,
                        const TImageWriter& Writer) {
    if (Options.MultiFormat && HoldsManyImages(Options.Naming.Format))
        return RunMultiFormat(Entries, Loaded, Options, Progress);
    return RunSingleImage(Entries, Loaded, Options, Progress, Writer);
}

TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                        const TExportOptions& Options, TExportProgress& Progress) {
    return RunExport(Entries, Loaded, Options, Progress, ImageWriterFor(Options.Naming.Format));
}
