#include "ui/ImageHold.h"

#include "ui/frmMain.h"

TImageHold::TImageHold(TMain& Main) : Main(Main) {
    ++Main.ImageHolds;
}

TImageHold::~TImageHold() {
    Main.ReleaseImages();
}
