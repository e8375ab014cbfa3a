#pragma once

#include <string>

#include "icons/LoadedIcon.h"

// What a single-image export does with an image before it names a file for it.
enum class TExportAction {
    Write,
    Fail,         // named as a failed file, with the reason
    SkipDamaged,  // left out as a damaged image, with the reason
};

struct TExportVerdict {
    TExportAction Action = TExportAction::Write;
    std::string Reason;
};

// The one place where an export judges an image, for the window and the tool alike. An image
// whose pixels do not decode would come out blank: it fails with the decoder's reason. Decodes
// the image's rows when they are not yet decoded.
TExportVerdict JudgeExportImage(const TLoadedIconImage& Image);
