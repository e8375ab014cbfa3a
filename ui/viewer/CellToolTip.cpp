#include "ui/viewer/CellToolTip.h"

#include <QFileInfo>
#include <QStringList>

#include "icons/ResourceName.h"
#include "ui/widgets/PathText.h"

QString CellToolTip(const TLoadedIconImage& image) {
    QStringList parts;
    if (!image.ResourceName.empty()) parts << QString::fromStdString(ReadableName(image.ResourceName));
    parts << QStringLiteral("%1 x %2, %3 bpp")
                 .arg(image.PixelWidth())
                 .arg(image.PixelHeight())
                 .arg(image.BitCount);
    if (image.Owner) parts << QFileInfo(FromFilePath(image.Owner->FileName)).fileName();
    if (!image.Damage().empty()) parts << QString::fromStdString(image.Damage());
    return parts.join(QStringLiteral(" \u2014 "));
}
