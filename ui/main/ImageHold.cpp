#include "ui/main/ImageHold.h"

#include "ui/main/frmMain.h"

TImageHold::TImageHold(TMain& Main) : Main(Main) {
    ++Main.ImageHolds;
}

TImageHold::~TImageHold() {
    Main.ReleaseImages();
}
