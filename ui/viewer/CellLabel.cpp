#include "ui/viewer/CellLabel.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>

#include "icons/LoadedIcon.h"
#include "ui/widgets/PathText.h"

namespace {
constexpr double kSmallShare = 0.8;
}  // namespace

QString CellSizeText(const TLoadedIconImage& image, bool damaged) {
    QString size = QStringLiteral("%1 x %2, ").arg(image.PixelWidth()).arg(image.PixelHeight());
    size += image.PngData().empty() ? QStringLiteral("%1 bpp").arg(image.BitCount)
                                    : QStringLiteral("PNG");
    if (damaged) size += QStringLiteral(", damaged");
    return size;
}

QStringList CellLabel(const TLoadedIconImage& image, bool nameFile) {
    QStringList lines{CellSizeText(image, !image.Damage().empty())};
    if (nameFile && image.Owner) lines << QFileInfo(FromFilePath(image.Owner->FileName)).fileName();
    return lines;
}

// Platforms whose small font is no smaller than the general one get the general one at
// four fifths of its size.
QFont CellLabelFont() {
    const QFont general = QApplication::font();
    QFont small = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    if (small.pointSizeF() >= general.pointSizeF()) {
        small = general;
        small.setPointSizeF(general.pointSizeF() * kSmallShare);
    }
    return small;
}
