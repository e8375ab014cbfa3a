#include "ui/FileIconReader.h"

#include "icons/LoadIcons.h"
#include "ui/PathText.h"
#include "ui/StraightAlphaPicture.h"
#include "writers/ThumbnailChoice.h"

namespace {
constexpr int kSizes[] = {16, 32};
}  // namespace

QList<QImage> ReadOwnFileIcon(const QString& path) {
    QList<QImage> pictures;
    try {
        const std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(ToFilePath(path));
        if (!icon) return pictures;
        for (const int size : kSizes) {
            const TLoadedIconImage* chosen = ChooseThumbnailImage(*icon, size);
            if (!chosen) return pictures;
            // The icon is this function's own; drawing only fills its display rows.
            QImage picture = StraightAlphaPicture(const_cast<TLoadedIconImage&>(*chosen));
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
