#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>

// The program's splash picture, shown by the splash window and as the about box's banner.
constexpr QSize kSplashPictureSize{418, 213};

// Where the picture shows the home page's address; the about box's banner button lies over it.
constexpr QRect kSplashAddressArea{146, 123, 255, 14};

// The home page's address as the picture shows it.
constexpr const char* kSplashAddressText = "www.marrowby.example";

// Draws the picture for a screen of the given device pixel ratio, so it stays crisp there.
QPixmap SplashPicture(qreal devicePixelRatio);
