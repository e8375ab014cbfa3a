#include "ui/properties/ChannelBitmap.h"

#include "icons/Rendering.h"

void DrawChannel(TLoadedIconImage& Image, TChannel Channel, TCanvas& Canvas, int X, int Y) {
    switch (Channel) {
        case TChannel::Mask:
            DrawMask(Image, Canvas, X, Y);
            break;
        case TChannel::Image:
            DrawImageChannel(Image, Canvas, X, Y);
            break;
        case TChannel::Alpha:
            DrawAlphaChannel(Image, Canvas, X, Y);
            break;
    }
}

TBitmap MakeChannelBitmap(TLoadedIconImage& Image, TChannel Channel) {
    const TPixelFormat format =
        Channel == TChannel::Mask ? TPixelFormat::pf1bit : TPixelFormat::pf24bit;
    TBitmap bitmap(Image.PixelWidth(), Image.PixelHeight(), format);
    DrawChannel(Image, Channel, bitmap.Canvas(), 0, 0);
    return bitmap;
}
