#pragma once

#include <QString>

// The web pages that the Help menu and the about box open.
constexpr const char* kTechnicalSupportPage = "https://marrowby.example/support/";
constexpr const char* kHomePage = "https://marrowby.example/";
constexpr const char* kMakerWebSite = "https://tallowmere.example/";

// The help manual "marrowby2.html" for a program in programFolder: the one beside the program
// (as in the build folder), else the one an installation puts in ../share/doc/marrowby2, else
// the path beside the program.
QString HelpFilePath(const QString& programFolder);

// Has the desktop open a web address in the default browser; throws "Unable to open
// <address>." when the desktop cannot.
void OpenWebPage(const char* address);
