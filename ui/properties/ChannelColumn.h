#pragma once

#include "ui/properties/ChannelBitmap.h"

class QLabel;
class QToolButton;
class QWidget;
class TPaintBox;

// One channel of the Channels page: the channel panel (from the bottom up a caption bar, a
// rule and the picture's paint box filling the rest) and, below it, the button panel with the
// save and the copy button.
struct TChannelColumn {
    TChannel Channel = TChannel::Mask;
    QWidget* Panel = nullptr;
    TPaintBox* PaintBox = nullptr;
    QLabel* Caption = nullptr;
    QWidget* Rule = nullptr;
    QWidget* ButtonPanel = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* CopyButton = nullptr;
    const char* SaveTitle = "";  // the title of the save button's file dialog
};

// The designed names and texts of one column.
struct TChannelDesign {
    TChannel Channel;
    const char* Panel;
    const char* PaintBox;
    const char* Caption;
    const char* Rule;
    const char* ButtonPanel;
    const char* SaveButton;
    const char* CopyButton;
    const char* CaptionText;
    const char* SaveHint;
    const char* CopyHint;
    const char* SaveTitle;
    int Left;
};

// Makes the controls of one column on the page at their designed positions.
TChannelColumn MakeChannelColumn(QWidget* Page, const TChannelDesign& Design);
