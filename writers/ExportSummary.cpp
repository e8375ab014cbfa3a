#include "writers/ExportSummary.h"

#include <filesystem>

#include "icons/ResourceName.h"

namespace {

const char* const kLineBreak = "\r\n";

std::string FileNameOf(const std::string& Path) {
    return std::filesystem::path(Path).filename().string();
}

}  // namespace

std::string ExportCountsText(int Written, int Skipped, int Failed) {
    return std::to_string(Written) + (Written == 1 ? " file" : " files") + " written, " +
           std::to_string(Skipped) + " skipped, " + std::to_string(Failed) + " failed";
}

std::string ExportImageText(const TLoadedIconImage& Image) {
    return (Image.ResourceName.empty() ? "-" : ReadableName(Image.ResourceName)) + " " +
           std::to_string(Image.PixelWidth()) + "x" + std::to_string(Image.PixelHeight()) + " " +
           std::to_string(Image.BitCount) + " bpp";
}

std::string ExportSummaryText(const TExportResult& Result) {
    std::string text =
        ExportCountsText(Result.Written, Result.Skipped, static_cast<int>(Result.Failed.size())) +
        ".";
    if (!Result.Failed.empty()) {
        text += std::string(kLineBreak) + kLineBreak + "Failed:";
        for (const TExportFailure& failure : Result.Failed)
            text += kLineBreak + FileNameOf(failure.Path) + ": " + failure.Reason;
    }
    if (!Result.Damaged.empty()) {
        text += std::string(kLineBreak) + kLineBreak + "Damaged images skipped:";
        for (const TDamagedImage& damaged : Result.Damaged) {
            std::string source = damaged.Image->Owner
                                     ? FileNameOf(damaged.Image->Owner->FileName) + " "
                                     : std::string();
            text += kLineBreak + source + ExportImageText(*damaged.Image) + ": " + damaged.Reason;
        }
    }
    return text;
}
