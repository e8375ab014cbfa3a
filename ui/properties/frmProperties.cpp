#include "ui/properties/frmProperties.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "icons/AniAnimation.h"
#include "icons/Rendering.h"
#include "icons/ResourceName.h"
#include "toolkit/Prompter.h"
#include "toolkit/WindowPlacement.h"
#include "ui/main/SaveFileName.h"
#include "ui/properties/AniPlayer.h"
#include "ui/properties/ImagePreview.h"
#include "ui/properties/PageControl.h"
#include "ui/properties/PaintBox.h"
#include "ui/properties/PalettePicture.h"
#include "ui/viewer/CellScale.h"
#include "ui/widgets/BitmapToQImage.h"
#include "ui/widgets/DamagedMark.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/QtClipboardSink.h"
#include "ui/widgets/QtColor.h"
#include "ui/widgets/SharpPicture.h"
#include "writers/BmpWriter.h"
#include "writers/IconWriter.h"
#include "writers/OutputFile.h"
#include "writers/SuggestedName.h"

namespace {

constexpr int kLeastPageHeight = 200;   // pages with their tabs
constexpr int kLeastTextWidth = 200;    // Panel2
constexpr int kLeastChannelWidth = 48;  // channel panels
constexpr int kLeastPreview = 128;      // the preview's area on the Image Formats page
constexpr int kImageFrame = 14;         // Panel1 around the image
constexpr int kGap = 8;                 // between controls and to the dialog's edges
constexpr int kTextsRight = 32;         // Panel2 right of its widest value
constexpr int kValueLeft = 96;          // value labels of the General page
constexpr int kRowPitch = 24;           // rows of the General page
constexpr int kPreviewLeft = 8;         // PaintBox6 in Panel18
constexpr int kPreviewTop = 12;
constexpr int kMultiFormatBarLeft = 26;  // Panel17 in Panel16
constexpr int kButtonAreaExtra = 24;     // client height beyond the pages and the buttons

const QString kTitle = QStringLiteral("Icon Properties");

const TChannelDesign kChannelDesigns[] = {
    {TChannel::Mask, "Panel4", "PaintBox3", "Panel5", "Panel6", "Panel13", "btnSaveMask",
     "btnCopyMask", " Mask", "Save mask bitmap.", "Copy mask bitmap.", "Save Mask Bitmap", 8},
    {TChannel::Image, "Panel7", "PaintBox4", "Panel8", "Panel9", "Panel14", "btnSaveImage",
     "btnCopyImage", " Image", "Save image bitmap.", "Copy image bitmap.", "Save Image Bitmap",
     100},
    {TChannel::Alpha, "Panel10", "PaintBox5", "Panel11", "Panel12", "Panel15", "btnSaveAlpha",
     "btnCopyAlpha", " Alpha", "Save alpha bitmap.", "Copy alpha bitmap.", "Save Alpha Bitmap",
     192},
};

TColor ButtonFace(const QWidget* widget) {
    return ToTColor(widget->palette().color(QPalette::Button));
}

// The image drawn over Background at its own logical size, each pixel a whole block of device
// pixels, as the viewer shows it.
QImage IconPicture(const TLoadedIconImage& image, TColor background, double ratio) {
    QImage picture =
        SharpPicture(image, background, {std::max(1, static_cast<int>(std::lround(ratio))), 0, 0});
    picture.setDevicePixelRatio(picture.width() / static_cast<double>(image.PixelWidth()));
    return picture;
}

QString FormatLine(const TLoadedIconImage& image) {
    return QStringLiteral("%1x%2 pixels, %3 bpp")
        .arg(image.PixelWidth())
        .arg(image.PixelHeight())
        .arg(image.BitCount);
}

QString FormatCountText(std::size_t count) {
    if (count == 1) return QStringLiteral(" 1 image format for this icon");
    return QStringLiteral(" %1 image formats for this icon").arg(count);
}

TSaveFileRequest SaveRequest(const QString& title, const QString& filter) {
    TSaveFileRequest request;
    request.Title = title;
    request.Filters = {filter};
    return request;
}

bool ConfirmReplace(QWidget* parent, const QString& path) {
    const QString text = QStringLiteral(
                             "The file \"%1\" already exists.\r\nDo you want to "
                             "replace it?")
                             .arg(QFileInfo(path).fileName());
    return Prompter().Message(parent, QStringLiteral("Warning"), text, TPromptButtons::YesNo) ==
           TPromptAnswer::Yes;
}

}  // namespace

TProperties::TProperties(QWidget* parent) : QDialog(parent, kDialogFrame) {
    setWindowTitle(kTitle);
    UseDesignFont(this);
    PagesView = Place(new QScrollArea(this), "PagesView", {0, 0, 361, 281});
    PagesView->setFrameShape(QFrame::NoFrame);
    PagesView->setWidget(new QWidget);
    PageControl1 = Place(new TPageControl(PagesView->widget()), "PageControl1", {8, 8, 345, 265});
    MakeGeneralPage();
    MakePalettePage();
    MakeChannelsPage();
    MakeFormatsPage();
    btnSaveAs =
        Place(new QPushButton(QStringLiteral("Save As..."), this), "btnSaveAs", {8, 280, 65, 25});
    btnCopy = Place(new QPushButton(QStringLiteral("Copy"), this), "btnCopy", {80, 280, 65, 25});
    btnOK = Place(new QPushButton(QStringLiteral("OK"), this), "btnOK", {272, 280, 81, 25});
    btnOK->setDefault(true);
    for (QPushButton* button : {btnSaveAs, btnCopy, btnOK}) GrowToText(button);
    btnCopy->move(std::max(btnCopy->x(), RightEdge(btnSaveAs) + kGap - 1), btnCopy->y());
    connect(btnOK, &QPushButton::clicked, this, &TProperties::btnOKClick);
    connect(btnSaveAs, &QPushButton::clicked, this, &TProperties::btnSaveAsClick);
    connect(btnCopy, &QPushButton::clicked, this, &TProperties::btnCopyClick);
}

void TProperties::MakeGeneralPage() {
    TabSheet1 = Named(new QWidget, "TabSheet1");
    PageControl1->addTab(TabSheet1, QStringLiteral("General"));
    auto* frame = new QFrame(TabSheet1);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = Place(frame, "Panel1", {8, 12, 65, 49});
    auto* fill = new QVBoxLayout(Panel1);
    fill->setContentsMargins(QMargins(1, 1, 1, 1) * (kImageFrame / 2 - frame->frameWidth()));
    PaintBox1 = Named(new TPaintBox(Panel1), "PaintBox1");
    PaintBox1->OnPaint = [this](QPainter& canvas) { PaintBox1Paint(canvas); };
    fill->addWidget(PaintBox1);
    Panel2 = Place(new QWidget(TabSheet1), "Panel2", {80, 12, 249, 137});
    Label1 = MakeLabel(Panel2, "Label1", "Location:");
    Label2 = MakeLabel(Panel2, "Label2", "");
    Label3 = MakeLabel(Panel2, "Label3", "Filename:");
    Label4 = MakeLabel(Panel2, "Label4", "");
    Label9 = MakeLabel(Panel2, "Label9", "Resource name:");
    Label10 = MakeLabel(Panel2, "Label10", "");
    Label5 = MakeLabel(Panel2, "Label5", "Dimensions:");
    Label6 = MakeLabel(Panel2, "Label6", "");
    Label7 = MakeLabel(Panel2, "Label7", "Color bit depth:");
    Label8 = MakeLabel(Panel2, "Label8", "");
    Label12 = MakeLabel(Panel2, "Label12", "Hot spot:");
    Label13 = MakeLabel(Panel2, "Label13", "");
    Label14 = MakeLabel(Panel2, "Label14", "Animation:");
    Label15 = MakeLabel(Panel2, "Label15", "");
    for (QLabel* label : {Label12, Label13, Label14, Label15}) label->hide();
    lblDamage = MakeLabel(Panel2, "lblDamage", "");
    lblDamage->hide();
    LayOutGeneralTexts();
}

void TProperties::MakePalettePage() {
    TabSheet2 = Named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet2, QStringLiteral("Color Palette"));
    Label11 = MakeLabel(TabSheet2, "Label11", "This icon has no color palette.", {8, 8});
    Panel3 = Place(new QWidget(TabSheet2), "Panel3", {0, 0, 337, 237});
    Panel3->setAutoFillBackground(true);
    auto* page = new QVBoxLayout(TabSheet2);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(Panel3);
    auto* fill = new QVBoxLayout(Panel3);
    fill->setContentsMargins(0, 0, 0, 0);
    PaintBox2 = Named(new TPaintBox(Panel3), "PaintBox2");
    PaintBox2->OnPaint = [this](QPainter& canvas) { PaintBox2Paint(canvas); };
    fill->addWidget(PaintBox2);
    Panel3->hide();
}

void TProperties::MakeChannelsPage() {
    TabSheet3 = Named(new QWidget, "TabSheet3");
    PageControl1->addTab(TabSheet3, QStringLiteral("Channels"));
    MaskChannel = MakeChannelColumn(TabSheet3, kChannelDesigns[0]);
    ImageChannel = MakeChannelColumn(TabSheet3, kChannelDesigns[1]);
    AlphaChannel = MakeChannelColumn(TabSheet3, kChannelDesigns[2]);
    using THandler = void (TProperties::*)(QObject*);
    const std::pair<const TChannelColumn*, THandler> handlers[] = {
        {&MaskChannel, &TProperties::btnSaveMaskClick},
        {&ImageChannel, &TProperties::btnSaveImageClick},
        {&AlphaChannel, &TProperties::btnSaveAlphaClick},
    };
    for (const auto& [column, handler] : handlers) {
        column->PaintBox->OnPaint = [this, column](QPainter& canvas) {
            PaintChannel(*column, canvas);
        };
        for (QToolButton* button : {column->SaveButton, column->CopyButton}) {
            connect(button, &QToolButton::clicked, this, [this, handler, button] {
                RunCommand(this, [&] { (this->*handler)(button); });
            });
        }
    }
}

void TProperties::MakeFormatsPage() {
    TabSheet4 = Named(new QWidget, "TabSheet4");
    PageControl1->addTab(TabSheet4, QStringLiteral("Image Formats"));
    MakePreview();
    lbxFormats = Named(new QListWidget(TabSheet4), "lbxFormats");
    Panel16 = Named(new QWidget(TabSheet4), "Panel16");
    btnSaveMultiFormatICO =
        Place(new QToolButton(Panel16), "btnSaveMultiFormatICO", {0, 2, 23, 21});
    btnSaveMultiFormatICO->setAutoRaise(true);
    btnSaveMultiFormatICO->setIcon(GlyphIcon(TGlyph::Save));
    btnSaveMultiFormatICO->setToolTip(QStringLiteral("Save multi format icon."));
    auto* bar = new QLabel(Panel16);
    bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel17 = Place(bar, "Panel17", {kMultiFormatBarLeft, 4, 311, 18});
    auto* bottom = new QHBoxLayout(Panel16);
    bottom->setContentsMargins(0, 2, 0, 0);
    bottom->setSpacing(kMultiFormatBarLeft - btnSaveMultiFormatICO->width());
    bottom->addWidget(btnSaveMultiFormatICO, 0, Qt::AlignTop);
    bottom->addWidget(Panel17, 1, Qt::AlignTop);
    Panel17->setFixedHeight(std::max(Panel17->height(), Panel17->sizeHint().height()));
    Panel16->setFixedHeight(std::max(23, Panel17->height() + 4));
    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(Panel18);
    top->addWidget(lbxFormats, 1);
    auto* page = new QVBoxLayout(TabSheet4);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addLayout(top, 1);
    page->addWidget(Panel16);
    connect(lbxFormats, &QListWidget::itemSelectionChanged, this, &TProperties::lbxFormatsClick);
    connect(btnSaveMultiFormatICO, &QToolButton::clicked, this,
            [this] { RunCommand(this, [this] { btnSaveMultiFormatICOClick(); }); });
}

void TProperties::MakePreview() {
    Panel18 = Place(new QWidget(TabSheet4), "Panel18", {0, 0, 185, 0});
    auto* preview = new QVBoxLayout(Panel18);
    preview->setContentsMargins(kPreviewLeft, kPreviewTop, kPreviewLeft, kPreviewLeft);
    PreviewView = Named(new QScrollArea(Panel18), "PreviewView");
    PreviewView->setFrameShape(QFrame::NoFrame);
    PreviewView->setAlignment(Qt::AlignCenter);
    PaintBox6 = Named(new TImagePreview, "PaintBox6");
    PreviewView->setWidget(PaintBox6);
    preview->addWidget(PreviewView, 1);
    lblPreviewDamage = MakeLabel(Panel18, "lblPreviewDamage", "");
    lblPreviewDamage->setWordWrap(true);
    lblPreviewDamage->hide();
    preview->addWidget(lblPreviewDamage);
    auto* controls = new QHBoxLayout;
    sldZoom = Named(new QSlider(Qt::Horizontal, Panel18), "sldZoom");
    sldZoom->setRange(1, TImagePreview::kMostZoom);
    sldZoom->setToolTip(QStringLiteral("Zoom"));
    lblZoom = MakeLabel(Panel18, "lblZoom", "16x");
    lblZoom->setMinimumWidth(lblZoom->sizeHint().width());
    btnPlay = Named(new QPushButton(QStringLiteral("Play"), Panel18), "btnPlay");
    btnPlay->hide();
    controls->addWidget(sldZoom, 1);
    controls->addWidget(lblZoom);
    preview->addLayout(controls);
    preview->addWidget(btnPlay);
    Player = new TAniPlayer(this);
    connect(sldZoom, &QSlider::valueChanged, this, [this](int zoom) {
        PaintBox6->SetZoom(zoom);
        lblZoom->setText(QStringLiteral("%1x").arg(zoom));
    });
    connect(btnPlay, &QPushButton::clicked, this, &TProperties::btnPlayClick);
    connect(Player, &TAniPlayer::Shown, this, &TProperties::ShowPreview);
}

void TProperties::ShowImageProperties(TLoadedIconImage& Image) {
    Fill(Image);
    PageControl1->setCurrentWidget(TabSheet1);
    exec();
}

void TProperties::Fill(TLoadedIconImage& Image) {
    LayOutChannels(Image);
    FillFormats(Image);
    ShownImage = &Image;
    SetGeneralTexts(Image);
    SizePages(Image);
    SizeWindow();
    CentreOnScreen(this);
    PaletteBitmap = MakePalettePicture(Image);
    Panel3->setVisible(PaletteBitmap != nullptr);
}

// The three channel panels stand side by side, each as wide as the image (at least 48) and as
// tall as the image plus caption bar and rule; the button panels lie below them. The alpha
// channel shows only for 32-bit images.
void TProperties::LayOutChannels(const TLoadedIconImage& image) {
    const TChannelColumn* columns[] = {&MaskChannel, &ImageChannel, &AlphaChannel};
    int width = std::max(image.PixelWidth(), kLeastChannelWidth);
    for (const TChannelColumn* column : columns)
        width = std::max(width, column->Caption->sizeHint().width());
    const int height =
        image.PixelHeight() + MaskChannel.Caption->height() + MaskChannel.Rule->height();
    const int top = MaskChannel.Panel->y();
    const int buttonTop = top + height + kGap;
    int left = MaskChannel.Panel->x();
    for (const TChannelColumn* column : columns) {
        column->Panel->setGeometry(left, top, width, height);
        column->ButtonPanel->move(left, buttonTop);
        left += width + kGap;
    }
    const bool alpha = image.BitCount >= 32;
    AlphaChannel.Panel->setVisible(alpha);
    AlphaChannel.ButtonPanel->setVisible(alpha);
}

// The formats of the shown image's icon: the owner's images of the same resource name and
// kind (icon or cursor), the shown one selected. The preview's area is square, as large as the
// largest format and at least 128 pixels; the zoom starts at the multiple that fits it.
void TProperties::FillFormats(TLoadedIconImage& image) {
    lbxFormats->clear();
    FormatImages.clear();
    int widest = kLeastPreview;
    int opened = 0;
    if (image.Owner) {
        for (const auto& format : image.Owner->Images) {
            if (format->ResourceName != image.ResourceName || format->IsCursor != image.IsCursor)
                continue;
            if (format.get() == &image) opened = static_cast<int>(FormatImages.size());
            FormatImages.push_back(format.get());
            lbxFormats->addItem(FormatLine(*format));
            widest = std::max({widest, format->PixelWidth(), format->PixelHeight()});
        }
    }
    Panel18->setFixedWidth(widest + 2 * kPreviewLeft);
    PaintBox6->SetArea(QSize(widest, widest));
    sldZoom->setValue(TImagePreview::FitZoom(image, QSize(widest, widest)));
    btnPlay->setVisible(image.Owner && Player->Load(*image.Owner, image));
    if (!FormatImages.empty()) lbxFormats->setCurrentRow(opened);
    Panel17->setText(FormatCountText(FormatImages.size()));
}

void TProperties::SetGeneralTexts(const TLoadedIconImage& image) {
    const QString path = image.Owner ? FromFilePath(image.Owner->FileName) : QString();
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    Label2->setText(path.left(nameStart));
    Label4->setText(path.mid(nameStart));
    Label10->setText(QString::fromStdString(ReadableName(image.ResourceName)));
    Label6->setText(QStringLiteral("%1 x %2").arg(image.PixelWidth()).arg(image.PixelHeight()));
    Label8->setText(QStringLiteral("%1 bits/pixel").arg(image.BitCount));
    const bool cursor = image.HotSpot.has_value();
    if (cursor)
        Label13->setText(QStringLiteral("%1, %2").arg(image.HotSpot->X).arg(image.HotSpot->Y));
    Label12->setVisible(cursor);
    Label13->setVisible(cursor);
    const TAniAnimation* animation = image.Owner ? image.Owner->Animation.get() : nullptr;
    if (animation) {
        QString text = QStringLiteral("%1 frames, %2 steps, %3 s")
                           .arg(animation->FrameStarts.size())
                           .arg(animation->Steps())
                           .arg(animation->TotalMilliseconds() / 1000.0, 0, 'f', 2);
        if (!animation->Problem.empty())
            text += QStringLiteral(" (%1)").arg(QString::fromStdString(animation->Problem));
        Label15->setText(text);
    }
    Label14->setVisible(animation != nullptr);
    Label15->setVisible(animation != nullptr);
    lblDamage->setText(image.Damage().empty() ? QString() : DamageText(image));
    lblDamage->setVisible(!image.Damage().empty());
    LayOutGeneralTexts();
}

// Captions in one column, their values in the next, each label as wide as its text; the value
// column and the row pitch grow only when the font needs more room than designed.
void TProperties::LayOutGeneralTexts() {
    const std::pair<QLabel*, QLabel*> rows[] = {
        {Label1, Label2}, {Label3, Label4},   {Label9, Label10}, {Label5, Label6},
        {Label7, Label8}, {Label12, Label13}, {Label14, Label15}};
    int valueLeft = kValueLeft;
    int lineHeight = 0;
    for (const auto& [caption, value] : rows) {
        if (caption->isHidden()) continue;
        SizeToText(caption);
        SizeToText(value);
        valueLeft = std::max(valueLeft, kGap + caption->width() + kGap);
        lineHeight = std::max({lineHeight, caption->height(), value->height()});
    }
    const int pitch = std::max(kRowPitch, lineHeight + kGap / 2);
    int top = 0;
    for (const auto& [caption, value] : rows) {
        if (caption->isHidden()) continue;
        caption->move(kGap, top);
        value->move(valueLeft, top);
        top += pitch;
    }
    if (!lblDamage->isHidden()) {
        SizeToText(lblDamage);
        lblDamage->move(kGap, top);
        top += pitch;
    }
    Panel2->resize(Panel2->width(), std::max(Panel2->height(), top - pitch + lineHeight));
}

int TProperties::WidestValue() const {
    int widest = 0;
    for (const QLabel* value : {Label2, Label4, Label13, Label15})
        if (!value->isHidden()) widest = std::max(widest, value->width());
    return widest;
}

void TProperties::SizePages(const TLoadedIconImage& image) {
    const QSize chrome = PageControl1->PageChrome();
    Panel1->resize(image.PixelWidth() + kImageFrame, image.PixelHeight() + kImageFrame);
    Panel2->move(Panel1->width() + kGap, Panel2->y());
    const int widestLine = std::max(0, lbxFormats->sizeHintForColumn(0));
    const int spacing = Panel18->layout()->spacing();
    // The preview keeps its square area; an animated cursor's Play button comes below it.
    const int formatsHeight = kPreviewTop + Panel18->width() + spacing +
                              sldZoom->sizeHint().height() + Panel16->height() +
                              (btnPlay->isHidden() ? 0 : spacing + btnPlay->sizeHint().height());
    const int height = std::max({BottomEdge(Panel2) + chrome.height(), kLeastPageHeight,
                                 BottomEdge(MaskChannel.ButtonPanel) + kGap + chrome.height(),
                                 formatsHeight + chrome.height()});
    Panel2->resize(std::max({kLeastTextWidth, WidestValue() + Label2->x() + kTextsRight,
                             lblDamage->isHidden() ? 0 : RightEdge(lblDamage) + kTextsRight}),
                   Panel2->height());
    const TChannelColumn& last = image.BitCount >= 32 ? AlphaChannel : ImageChannel;
    const int listWidth = widestLine + 2 * lbxFormats->frameWidth() + kGap;
    const int formatsWidth =
        std::max(Panel18->width() + listWidth, kMultiFormatBarLeft + Panel17->sizeHint().width());
    const int width =
        std::max({RightEdge(Panel2) + chrome.width(), RightEdge(last.Panel) + kGap + chrome.width(),
                  formatsWidth + chrome.width(), PageControl1->TabsWidth()});
    PageControl1->resize(width, height);
}

// The buttons stand below the pages, OK at the right; the window fits pages and buttons. A
// window that would reach past the screen's free area is cut to it and its pages scroll, their
// pictures kept at their own size.
void TProperties::SizeWindow() {
    const QSize pages(PageControl1->width() + 2 * kGap, BottomEdge(PageControl1));
    PagesView->widget()->resize(pages);
    QSize client(pages.width(), PageControl1->height() + btnOK->height() + kButtonAreaExtra);
    if (const QScreen* shown = screen())
        client = client.boundedTo(WindowArea(*this, *shown).size());
    const int top = client.height() - btnOK->height() - (kButtonAreaExtra - 2 * kGap);
    PagesView->setGeometry(0, 0, client.width(), top - kGap);
    for (QPushButton* button : {btnSaveAs, btnCopy, btnOK}) button->move(button->x(), top);
    btnOK->move(client.width() - btnOK->width() - kGap, top);
    setFixedSize(client);
}

void TProperties::btnOKClick() {
    accept();
}

TLoadedIconImage* TProperties::ChosenImage() const {
    const int row = lbxFormats->currentRow();
    if (row >= 0 && lbxFormats->item(row)->isSelected())
        return FormatImages[static_cast<std::size_t>(row)];
    return ShownImage;
}

void TProperties::btnSaveAsClick() {
    TLoadedIconImage* image = ChosenImage();
    if (OnSaveAs && image) return OnSaveAs(*image);
    SaveAsRequested = true;
    accept();
}

void TProperties::btnCopyClick() {
    TLoadedIconImage* image = ChosenImage();
    if (OnCopy && image) return OnCopy(*image);
    CopyRequested = true;
    accept();
}

// A chosen line pauses the animation and shows its format.
void TProperties::lbxFormatsClick() {
    if (Player->Playing()) btnPlayClick();
    const int row = lbxFormats->currentRow();
    const bool shown = row >= 0 && lbxFormats->item(row)->isSelected();
    ShowPreview(shown ? FormatImages[static_cast<std::size_t>(row)] : nullptr);
}

void TProperties::btnPlayClick() {
    if (Player->Playing()) {
        Player->Pause();
    } else {
        Player->Play();
    }
    btnPlay->setText(Player->Playing() ? QStringLiteral("Pause") : QStringLiteral("Play"));
}

void TProperties::ShowPreview(const TLoadedIconImage* image) {
    PaintBox6->SetImage(image);
    const bool damaged = image && !image->Damage().empty();
    lblPreviewDamage->setText(damaged ? DamageText(*image) : QString());
    lblPreviewDamage->setVisible(damaged);
}

// Suggests the icon's source file and resource name, in the folder the window last saved to.
void TProperties::btnSaveMultiFormatICOClick() {
    TSaveFileRequest request = SaveRequest(QStringLiteral("Save Multi-Format Icon"),
                                           QStringLiteral("Icons (*.ico)|*.ico"));
    if (ShownImage) {
        const QString name = FromFilePath(SuggestedName(*ShownImage, NameSeparator, false));
        request.FileName = QDir(SaveFolder).filePath(name + QStringLiteral(".ico"));
    }
    const TSaveFileAnswer answer = Prompter().SaveFile(this, request);
    if (!answer.Accepted) return;
    WriteIconFile(ToFilePath(WithExtension(answer.FileName, QStringLiteral(".ico"))), FormatImages);
}

void TProperties::btnSaveMaskClick(QObject* Sender) {
    ChannelButtonClick(MaskChannel, Sender);
}

void TProperties::btnSaveImageClick(QObject* Sender) {
    ChannelButtonClick(ImageChannel, Sender);
}

void TProperties::btnSaveAlphaClick(QObject* Sender) {
    ChannelButtonClick(AlphaChannel, Sender);
}

void TProperties::ChannelButtonClick(const TChannelColumn& column, QObject* sender) {
    if (!ShownImage) return;
    const TBitmap picture = MakeChannelBitmap(*ShownImage, column.Channel);
    if (sender == column.CopyButton) {
        TQtClipboardSink clipboard;
        clipboard.SetBitmap(picture);
    } else if (sender == column.SaveButton) {
        SaveChannel(picture, QString::fromLatin1(column.SaveTitle));
    }
}

// Asks for a file name until the user cancels, names a file that does not exist yet, or
// agrees to replace the one named; then writes the picture as a 24-bit Windows bitmap.
void TProperties::SaveChannel(const TBitmap& picture, const QString& title) {
    TSaveFileRequest request = SaveRequest(title, QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
    for (;;) {
        const TSaveFileAnswer answer = Prompter().SaveFile(this, request);
        if (!answer.Accepted) return;
        const QString path = WithExtension(answer.FileName, QStringLiteral(".bmp"));
        request.FileName = path;
        if (QFileInfo::exists(path) && !ConfirmReplace(this, path)) continue;
        WriteOutputFile(ToFilePath(path), EncodeBmp(ConvertTo24Bit(picture)),
                        "Error Writing BMP File!");
        return;
    }
}

void TProperties::PaintBox1Paint(QPainter& Canvas) {
    if (ShownImage)
        Canvas.drawImage(
            0, 0, IconPicture(*ShownImage, ButtonFace(this), PaintBox1->devicePixelRatioF()));
}

void TProperties::PaintBox2Paint(QPainter& Canvas) {
    if (!PaletteBitmap) return;
    Canvas.drawImage((PaintBox2->width() - kPalettePictureWidth) / 2,
                     (PaintBox2->height() - kPalettePictureHeight) / 2,
                     BitmapToQImage(*PaletteBitmap));
}

void TProperties::PaintChannel(const TChannelColumn& column, QPainter& canvas) {
    if (ShownImage)
        canvas.drawImage(0, 0, BitmapToQImage(MakeChannelBitmap(*ShownImage, column.Channel)));
}
