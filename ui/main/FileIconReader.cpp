#include "ui/main/FileIconReader.h"

#include "icons/LoadIcons.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/StraightAlphaPicture.h"
#include "writers/Thumbnail.h"

namespace {
constexpr int kSizes[] = {16, 32};
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
            QImage picture = StraightAlphaPicture(*chosen);
            if (picture.width() > size || picture.height() > size) {
                picture = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            pictures << picture;
        }
    } catch (...) {
        pictures.clear();
    }
    return pictures;
}
