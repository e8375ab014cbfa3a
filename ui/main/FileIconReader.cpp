#include "ui/main/FileIconReader.h"

#include <algorithm>

#include "icons/LoadIcons.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/StraightAlphaPicture.h"
#include "writers/Thumbnail.h"

namespace {

// The sizes a file's icon is shown at, 64 for large icons at a device pixel ratio of 2.
constexpr int kSizes[] = {16, 32, 64};

// A picture smaller than size is enlarged by the whole multiple that fits, without smoothing,
// as the grid enlarges images; a larger one is scaled down.
QImage FitPicture(const QImage& picture, int size) {
    if (picture.isNull()) return picture;
    if (picture.width() > size || picture.height() > size)
        return picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const int multiple = std::min(size / picture.width(), size / picture.height());
    if (multiple < 2) return picture;
    return picture.scaled(picture.size() * multiple, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

QList<QImage> ReadOwnFileIcon(const QString& path) {
    QList<QImage> pictures;
    try {
        const std::unique_ptr<TLoadedIcon> icon =
            LoadIconsFromFile(ToFilePath(path), {.FileIconOnly = true});
        if (!icon) return pictures;
        for (const int size : kSizes) {
            TLoadedIconImage* chosen = ChooseThumbnailImage(*icon, size);
            if (!chosen) return pictures;
            pictures << FitPicture(StraightAlphaPicture(*chosen), size);
        }
    } catch (...) {
        pictures.clear();
    }
    return pictures;
}
