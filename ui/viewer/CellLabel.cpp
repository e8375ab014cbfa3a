#include "ui/viewer/CellLabel.h"

#include <QFileInfo>
#include <QFontDatabase>

#include "icons/LoadedIcon.h"
#include "ui/widgets/PathText.h"

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

QFont CellLabelFont() {
    return QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
}
