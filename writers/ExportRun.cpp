#include "writers/ExportRun.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "writers/IconWriter.h"

namespace {

// Names one file at a time, skips or writes it, and keeps the tally and the source file shown.
class TExportFiles {
public:
    TExportFiles(const TExportOptions& Options, TExportProgress& Progress)
        : options_(Options), progress_(Progress) {}

    // Names the file of Image (the first image of an icon in multi-format mode) and, unless it
    // is skipped, hands the path to Write.
    template <typename TWrite>
    void Export(const TLoadedIconImage& Image, int Number, TWrite&& Write) {
        ShowSource(Image);
        std::string stem = ExportStem(NamePartsOf(Image, Number), options_.Naming);
        std::optional<std::string> path = ChooseExportPath(stem, options_.Naming);
        if (!path) {
            ++result_.Skipped;
            progress_.FileSkipped(CandidatePath(stem, options_.Naming, 1));
            return;
        }
        Write(*path);
        ++result_.Written;
        progress_.FileWritten(*path);
    }

    // Moves the progress on and tells whether the run is to stop.
    bool Advance(int Position) {
        progress_.PositionChanged(Position);
        result_.Cancelled = progress_.CancelRequested();
        return result_.Cancelled;
    }

    const TExportResult& Result() const { return result_; }

private:
    void ShowSource(const TLoadedIconImage& Image) {
        std::string name =
            Image.Owner ? std::filesystem::path(Image.Owner->FileName).filename().string() : "";
        if (shown_ && name == *shown_) return;
        shown_ = name;
        progress_.SourceFileChanged(name);
    }

    const TExportOptions& options_;
    TExportProgress& progress_;
    TExportResult result_;
    std::optional<std::string> shown_;
};

TExportResult RunSingleImage(const std::vector<TExportEntry>& Entries,
                             const TExportOptions& Options, TExportProgress& Progress,
                             const TImageWriter& Writer) {
    TExportFiles files(Options, Progress);
    auto selected = std::count_if(Entries.begin(), Entries.end(),
                                  [](const TExportEntry& entry) { return entry.Selected; });
    Progress.PhaseStarted(TExportPhase::Writing, static_cast<int>(selected));
    int position = 0;
    int gridPosition = 0;
    for (const TExportEntry& entry : Entries) {
        if (!entry.Hidden) ++gridPosition;
        if (!entry.Selected) continue;
        TLoadedIconImage& image = *entry.Image;
        files.Export(image, gridPosition,
                     [&](const std::string& path) { Writer(image, path, Options.Background); });
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

TExportResult RunMultiFormat(const std::vector<TExportEntry>& Entries,
                             const TExportOptions& Options, TExportProgress& Progress) {
    std::optional<std::vector<TIconGroup>> groups = FindIconGroups(Entries, Progress);
    if (!groups) return {0, 0, true};
    auto members = MembersByKey(Entries);
    TExportFiles files(Options, Progress);
    Progress.PhaseStarted(TExportPhase::Writing, static_cast<int>(groups->size()));
    int position = 0;
    for (const TIconGroup& group : *groups) {
        // Taking the members out leaves nothing for a key listed a second time.
        std::vector<TLoadedIconImage*> icon = std::move(members[group.Key]);
        members[group.Key].clear();
        if (!icon.empty()) {
            files.Export(*icon.front(), group.Number,
                         [&](const std::string& path) { WriteIconFile(path, icon); });
        }
        if (files.Advance(++position)) break;
    }
    return files.Result();
}

}  // namespace

std::string IconKey(const TLoadedIconImage& Image) {
    // A cursor group and an icon group may carry the same name text; never the same key.
    return (Image.Owner ? Image.Owner->FileName : std::string()) + (Image.IsCursor ? "|C|" : "|") +
           Image.ResourceName;
}

TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TExportOptions& Options,
                        TExportProgress& Progress, const TImageWriter& Writer) {
    if (Options.MultiFormat && Options.Naming.Format == TExportFormat::Ico)
        return RunMultiFormat(Entries, Options, Progress);
    return RunSingleImage(Entries, Options, Progress, Writer);
}

TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TExportOptions& Options,
                        TExportProgress& Progress) {
    return RunExport(Entries, Options, Progress, ImageWriterFor(Options.Naming.Format));
}
