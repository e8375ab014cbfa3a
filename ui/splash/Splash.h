#pragma once

#include <QWidget>
#include <cstdint>

class TFramedPicture;

// The splash window: borderless, 422 x 217 pixels whatever the screen's resolution, centred on
// the screen, showing the program's picture in a black frame.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();

    TFramedPicture* pnlSplash;
};

// Creates the splash window, records when it was shown, shows it and paints it at once.
void ShowSplash();
// Keeps the splash window up until at least one second after it was shown, then destroys it.
void HideSplash();
// The splash window while it is up, else nullptr.
TSplashForm* SplashForm();

// Milliseconds HideSplash still waits, from the 32-bit tick counts at showing and now: one
// second minus the time elapsed (both wrapping 32-bit values read as signed), 100 when the
// elapsed time comes out negative, nothing once the second is over.
std::int32_t SplashRemainingMs(std::uint32_t shownTick, std::uint32_t nowTick);
