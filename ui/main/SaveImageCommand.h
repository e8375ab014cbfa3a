#pragma once

#include <QString>
#include <optional>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "toolkit/Prompter.h"

class QWidget;

// Where one image is to be saved: the file name with the extension of the chosen dialog
// entry, and that extension (".bmp", ".ico", ".gif" or ".png"), which decides the format.
struct TImageFileChoice {
    QString FileName;
    QString Extension;
};

// Runs the save dialog until the user cancels (nothing) or names a file that is new or may be
// replaced. The entry's extension is appended unless the name already carries it. A name that
// exists is offered for replacing; No shows the dialog again. The dialog keeps the last
// chosen name and entry for the next save.
std::optional<TImageFileChoice> ChooseImageFile(QWidget* parent, TSaveFileRequest& SaveAsDialog);

// Writes the image in the format its extension names; BMP, GIF and PNG are drawn over
// Background. A writer's TWriteError is passed on.
void SaveImageFile(TLoadedIconImage& Image, const TImageFileChoice& Choice, TColor Background);
