#include "cli/ExportReport.h"

#include <algorithm>

#include "cli/PrintableText.h"
#include "writers/ExportSummary.h"

namespace {

// The image's place among its source's images.
std::size_t IndexOf(const TLoadedIconImage& image) {
    const auto& images = image.Owner->Images;
    return static_cast<std::size_t>(
        std::find_if(images.begin(), images.end(),
                     [&](const auto& owned) { return owned.get() == &image; }) -
        images.begin());
}

// The manifest line of a file whose (first) image is Image; a damaged image says so.
TManifestEntry ManifestEntry(const std::string& source, const TLoadedIconImage& image,
                             TManifestEntry outcome) {
    outcome.Source = source;
    outcome.ResourceName = image.ResourceName;
    outcome.ImageIndex = IndexOf(image);
    if (!image.Damage().empty() && !outcome.Output && outcome.Reason.empty())
        outcome.Reason = "Damaged: " + image.Damage();
    return outcome;
}

// ", N things" when N is not 0; "1 thing" for one.
std::string CountText(int count, const char* one, const char* many) {
    if (count == 0) return {};
    return ", " + std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

void TExportReport::SourceUnreadable(const std::string& source, const std::string& reason) {
    ++unreadable_;
    Failed(source, {}, reason);
    if (!options_.Jsonl) return;
    TManifestEntry entry;
    entry.Source = source;
    entry.Reason = reason;
    PrintManifestLine(output_.Out, entry);
}

void TExportReport::Report(const std::string& source, const std::vector<TPlannedFile>& files) {
    for (const TPlannedFile& file : files) {
        for (const TLoadedIconImage* image : file.Damaged) {
            ++skipped_;
            Failed(source, ExportImageText(*image), "skipped, damaged: " + image->Damage());
            if (options_.Jsonl) PrintManifestLine(output_.Out, ManifestEntry(source, *image, {}));
        }
        if (file.Images.empty() || file.Abandoned) continue;
        if (file.Duplicate) {
            ++duplicates_;
        } else if (!file.Failure.empty()) {
            ++failed_;
            Failed(source, ExportImageText(*file.Images.front()), file.Failure);
        } else if (!file.Path) {
            ++skipped_;
        } else {
            ++written_;
            if (!options_.Jsonl) output_.Out << *file.Path << "\n";
        }
        if (options_.Jsonl)
            PrintManifestLine(output_.Out,
                              ManifestEntry(source, *file.Images.front(), Outcome(file)));
    }
}

int TExportReport::Finish(bool interrupted) const {
    // The manifest is whole on stdout before a summary on stderr vouches for it.
    output_.Out << std::flush;
    std::ostream& out = options_.Jsonl ? output_.Err : output_.Out;
    out << ExportCountsText(written_, skipped_, failed_);
    if (options_.Unique) out << ", " << duplicates_ << " duplicates left out";
    out << CountText(unreadable_, "source unreadable", "sources unreadable")
        << CountText(withoutIcons_, "file without icons", "files without icons")
        << (interrupted ? ", interrupted" : "") << "\n";
    return failed_ > 0 || unreadable_ > 0 ? kExitFailure : kExitOk;
}

// "marrowby2-cli: SOURCE: WHAT: REASON" on stderr, after whatever stdout holds so far.
void TExportReport::Failed(const std::string& source, const std::string& what,
                           const std::string& reason) {
    output_.Out << std::flush;
    output_.Err << "marrowby2-cli: " << Printable(source) << ": "
                << (what.empty() ? std::string() : Printable(what) + ": ") << Printable(reason)
                << "\n";
}

TManifestEntry TExportReport::Outcome(const TPlannedFile& file) const {
    TManifestEntry entry;
    if (file.Duplicate) {
        entry.Reason = options_.Export.MultiFormat ? "Duplicate of an earlier icon"
                                                   : "Duplicate of an earlier image";
    } else if (!file.Failure.empty()) {
        entry.Reason = file.Failure;
    } else if (!file.Path) {
        entry.Reason = "File exists";
    } else {
        entry.Output = file.Path;
        entry.Md5 = file.Md5;
    }
    return entry;
}
