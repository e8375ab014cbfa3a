#pragma once

#include <QString>
#include <optional>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "toolkit/Prompter.h"

class QWidget;

// Where one image is to be saved: the file name with the extension of the chosen dialog
// entry, and that extension (".bmp", ".ico", ".gif", ".png" or ".icns"), which decides the
// format.
struct TImageFileChoice {
    QString FileName;
    QString Extension;
};

// Runs the save dialog, suggesting Suggested (a name without extension) in Folder, until the
// user cancels (nothing) or names a file that is new or may be replaced. A typed extension of
// one of the five types chooses that type; any other name gets the chosen entry's extension
// appended. A name that exists is offered for replacing; No shows the dialog again with that
// name. The type saved becomes the dialog's entry, and its folder Folder, for the next save.
std::optional<TImageFileChoice> ChooseImageFile(QWidget* parent, TSaveFileRequest& SaveAsDialog,
                                                QString& Folder, const QString& Suggested);

// Writes the image in the format its extension names; BMP, GIF and PNG are drawn over
// Background (ICNS keeps it in its PNG streams' bKGD chunk). A writer's TWriteError is passed on.
void SaveImageFile(TLoadedIconImage& Image, const TImageFileChoice& Choice, TColor Background);
