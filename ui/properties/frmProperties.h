#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"
#include "ui/properties/ChannelColumn.h"

class QLabel;
class QScrollArea;
class QListWidget;
class QPainter;
class QPushButton;
class QSlider;
class QToolButton;
class TAniPlayer;
class TImagePreview;
class TPageControl;
class TPaintBox;

// The "Icon Properties" dialog: where one image comes from, its size and depth, its palette,
// its mask, colour and alpha channels, and the image formats of its icon, which can be saved
// together as one multi-format icon file. It sizes itself to the image. Created for one use.
// Save As... and Copy act through OnSaveAs and OnCopy on the selected format (else the shown
// image) and leave the dialog open; without them they close it with their request flag set.
class TProperties : public QDialog {
    Q_OBJECT
public:
    explicit TProperties(QWidget* parent = nullptr);

    // Fills the dialog from Image (not owned; it must outlive the dialog) and shows it
    // modally on the General page; returns when it closes.
    void ShowImageProperties(TLoadedIconImage& Image);
    // Fills the dialog from Image and sizes and centres it, without showing it.
    void Fill(TLoadedIconImage& Image);

    void btnOKClick();
    void btnSaveAsClick();
    void btnCopyClick();
    void lbxFormatsClick();
    // Plays or pauses an animated cursor in the preview.
    void btnPlayClick();
    // Asks for a file name and writes every format of the list into one icon file; a failed
    // write shows the error box and the dialog stays open.
    void btnSaveMultiFormatICOClick();
    // Each handles both buttons of its channel: the copy button puts the channel on the
    // clipboard, the save button asks for a file name and writes it as a Windows bitmap.
    void btnSaveMaskClick(QObject* Sender);
    void btnSaveImageClick(QObject* Sender);
    void btnSaveAlphaClick(QObject* Sender);

    void PaintBox1Paint(QPainter& Canvas);
    void PaintBox2Paint(QPainter& Canvas);

    // Holds the pages; it scrolls them when the dialog would not fit on the screen.
    QScrollArea* PagesView;
    TPageControl* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QPushButton* btnSaveAs;
    QPushButton* btnCopy;
    QPushButton* btnOK;
    // General
    QWidget* Panel1;
    TPaintBox* PaintBox1;
    QWidget* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    // Under the rows, for cursors only: "Hot spot:" and "X, Y"; for animated cursors only:
    // "Animation:" and the frame count and total time.
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    // Under the rows, for a damaged image only: "Damaged: " and the reason.
    QLabel* lblDamage;
    // Color Palette
    QLabel* Label11;
    QWidget* Panel3;
    TPaintBox* PaintBox2;
    // Channels: Panel4 / Panel13 (mask), Panel7 / Panel14 (image), Panel10 / Panel15 (alpha)
    TChannelColumn MaskChannel;
    TChannelColumn ImageChannel;
    TChannelColumn AlphaChannel;
    // Image Formats
    // The preview: the selected format enlarged by a whole multiple (sldZoom, 1x to 16x), in a
    // view that scrolls when the picture outgrows it; the damaged reason under it; Play/Pause
    // for an animated cursor.
    QWidget* Panel18;
    QScrollArea* PreviewView;
    TImagePreview* PaintBox6;
    QSlider* sldZoom;
    QLabel* lblZoom;
    QPushButton* btnPlay;
    QLabel* lblPreviewDamage;
    TAniPlayer* Player;
    QListWidget* lbxFormats;
    QWidget* Panel16;
    QToolButton* btnSaveMultiFormatICO;
    QLabel* Panel17;

    TLoadedIconImage* ShownImage = nullptr;
    std::unique_ptr<TBitmap> PaletteBitmap;
    bool SaveAsRequested = false;
    bool CopyRequested = false;
    std::function<void(TLoadedIconImage&)> OnSaveAs;
    std::function<void(TLoadedIconImage&)> OnCopy;
    // The image Save As... and Copy act on: the selected format, else the shown image.
    TLoadedIconImage* ChosenImage() const;
    // Where the multi-format save suggests its file, and what joins the parts of its name.
    QString SaveFolder;
    char NameSeparator = '_';

private:
    void MakeGeneralPage();
    void MakePalettePage();
    void MakeChannelsPage();
    void MakeFormatsPage();
    void LayOutChannels(const TLoadedIconImage& image);
    void FillFormats(TLoadedIconImage& image);
    void SetGeneralTexts(const TLoadedIconImage& image);
    void MakePreview();
    void ShowPreview(const TLoadedIconImage* image);
    void LayOutGeneralTexts();
    void SizePages(const TLoadedIconImage& image);
    // The widest value label of the General page that shows.
    int WidestValue() const;
    void SizeWindow();
    void ChannelButtonClick(const TChannelColumn& column, QObject* sender);
    void SaveChannel(const TBitmap& picture, const QString& title);
    void PaintChannel(const TChannelColumn& column, QPainter& canvas);

    // The images of lbxFormats' lines, in list order.
    std::vector<TLoadedIconImage*> FormatImages;
};
