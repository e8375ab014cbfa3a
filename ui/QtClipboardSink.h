#pragma once

#include "icons/Rendering.h"

// Puts the core's bitmaps on the system clipboard, replacing what it held: a 1-bit bitmap as a
// monochrome image, any other as a 24-bit image.
class TQtClipboardSink : public TClipboardSink {
public:
    void SetBitmap(const TBitmap& Bitmap) override;
};
