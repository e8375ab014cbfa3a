#include "writers/ExportVerdict.h"

TExportVerdict JudgeExportImage(const TLoadedIconImage& Image) {
    const std::string& damage = Image.DecodeError();
    if (damage.empty()) return {};
    return {TExportAction::Fail, damage};
}
