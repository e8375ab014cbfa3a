#include "ui/widgets/SharpPicture.h"

#include "graphics/BlockScale.h"
#include "icons/Rendering.h"
#include "ui/viewer/CellScale.h"
#include "ui/widgets/BitmapToQImage.h"
#include "writers/AreaScale.h"

TBitmap ScaledDrawing(const TLoadedIconImage& Image, TColor Background, const TCellScale& Scale) {
    TBitmap drawn = DrawOverBackground(Image, Background);
    if (Scale.Block == 1) return drawn;
    return Scale.Block > 1 ? ScaleBitmapUpByBlocks(drawn, Scale.Block)
                           : ScaleBitmapDownByArea(drawn, Scale.Width, Scale.Height);
}

QImage SharpPicture(const TLoadedIconImage& Image, TColor Background, const TCellScale& Scale) {
    return BitmapToQImage(ScaledDrawing(Image, Background, Scale));
}
