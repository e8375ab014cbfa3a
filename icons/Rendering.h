#pragma once

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"

// Builds the image's display rows once (no-op when they are built): the stored rows for 1, 24
// and 32 bits, the image converted to 24 bits (blue, green, red) for 4, 8 and 16 bits. Other
// bit counts get no display rows and are not drawn.
void PrepareDisplayBits(const TLoadedIconImage& Image);

// What PrepareDisplayBits builds; the image calls it on the first request for display rows.
TDisplayRows BuildDisplayRows(const TLoadedIconImage& Image);

// An empty bitmap of the image's size in its own pixel format (24 bits for bit counts that
// have no bitmap format).
TBitmap CreateFormatBitmap(const TLoadedIconImage& Image);

// Whether the image is drawn by its alpha bytes alone, its mask unused: a 32-bit image with
// any alpha byte above 0. One whose alpha bytes are all 0 (older tools wrote them so) is drawn
// as a 24-bit image is, its colour bytes cut out by its mask. Every drawing and writing of an
// image asks this.
bool AlphaDecides(const TLoadedIconImage& Image);

// The AND mask as stored, as a 1-bit bitmap: opaque pixels black, transparent pixels white.
TBitmap CreateMaskBitmap(const TLoadedIconImage& Image);

// The mask the image is drawn with, in the same form: where alpha decides, the pixels of
// alpha 0 are transparent; otherwise the stored mask.
TBitmap CreateDrawingMask(const TLoadedIconImage& Image);

// Draws the image at (X, Y). Where alpha decides, each pixel is blended over Background by
// alpha / 256 and pixels of alpha 0 show the canvas's brush colour; otherwise opaque pixels
// show their colour and transparent ones the brush colour, XOR-ed with the colour bits where
// those are set. Images without rows draw nothing.
void DrawIconImage(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y, TColor Background);

// The mask drawn as it is (SRCCOPY), and drawn with MERGEPAINT: on black this shows white where
// the image is opaque.
void DrawMask(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y);
void DrawMaskInverted(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y);

// The colour rows without mask; the alpha byte of 32-bit images is not shown.
void DrawImageChannel(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y);

// The alpha byte of a 32-bit image as grey levels; other images draw nothing.
void DrawAlphaChannel(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y);

// The image drawn over Background onto a 24-bit bitmap of its size, as the viewer shows it.
TBitmap DrawOverBackground(const TLoadedIconImage& Image, TColor Background);

// The clipboard lives in the UI; the core hands it finished bitmaps (1- or 24-bit).
class TClipboardSink {
public:
    virtual ~TClipboardSink() = default;
    virtual void SetBitmap(const TBitmap& Bitmap) = 0;
};

// Draws the image over Background onto a 24-bit bitmap and hands it to the clipboard.
void CopyImageToClipboard(const TLoadedIconImage& Image, TColor Background,
                          TClipboardSink& Clipboard);
