#include "ui/export/frmBatchIconExport.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <initializer_list>

#include "toolkit/Prompter.h"
#include "ui/export/DirectoryEdit.h"
#include "ui/export/ExportProgressView.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/PathText.h"
#include "writers/ExportSummary.h"

namespace {

constexpr int kDesignWidth = 401;
constexpr int kDesignLabel1Height = 49;
constexpr int kDesignMemoHeight = 89;
constexpr std::size_t kSampleLines = 6;
constexpr int kMargin = 16;        // the dialog's edges to its controls
constexpr int kCaptionGap = 4;     // a caption's right edge to its field
constexpr int kGroupBottom = 12;   // Memo1's bottom to GroupBox1's
constexpr int kButtonsBelow = 15;  // Panel1's bottom to the buttons
constexpr int kButtonGap = 7;      // between Export and Cancel
constexpr int kBottomMargin = 8;   // the buttons' bottom to the dialog's
constexpr int kProgressBarRight = 40;

const QString kCreateQuestion = QStringLiteral(
    "The export directory you specified\r\ndoes not exist.\r\n\r\nDo you want to create it now?");
const QString kCreateFailure = QStringLiteral("Unable to create the specified export directory.");

const char* const kFormats[] = {"Windows Bitmap (*.bmp)", "Windows Icon (*.ico)",
                                "Compuserver GIF (*.gif)", "Portable Network Graphic (*.png)",
                                "Apple Icon Image (*.icns)"};
const char* const kStyles[] = {"Numeric order",
                               "Resource name",
                               "Source filename and resource name",
                               "Resource name and icon size",
                               "Source filename, resource name, and icon size",
                               "Source filename, resource name, icon size, and color depth"};
const char* const kSeparators[] = {"Underscore character", "Space character", "Hyphen character"};

template <std::size_t N>
QComboBox* MakeList(QWidget* parent, const char* name, const char* const (&items)[N],
                    const QRect& designed) {
    auto* list = Place(new QComboBox(parent), name, designed);
    for (const char* item : items) list->addItem(QString::fromLatin1(item));
    return list;
}

int RightMost(std::initializer_list<const QWidget*> controls) {
    int right = 0;
    for (const QWidget* control : controls) right = std::max(right, RightEdge(control));
    return right;
}

void ShiftDown(std::initializer_list<QWidget*> controls, int dy) {
    for (QWidget* control : controls) control->move(control->x(), control->y() + dy);
}

// Moves the fields right of their captions where a caption needs more room than designed,
// and centres each caption on its field.
void AlignRows(std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
    int left = 0;
    for (const auto& [caption, field] : rows)
        left = std::max({left, field->x(), RightEdge(caption) + kCaptionGap});
    for (const auto& [caption, field] : rows) {
        field->move(left, field->y());
        caption->move(caption->x(), field->y() + (field->height() - caption->height()) / 2);
    }
}

// The name parts of the first selected entries, each numbered by its grid position as the run
// numbers it.
std::vector<TNameParts> SelectedNameParts(const std::vector<TExportEntry>& entries) {
    std::vector<TNameParts> parts;
    int position = 0;
    for (const TExportEntry& entry : entries) {
        if (!entry.Hidden) ++position;
        if (entry.Selected && parts.size() < kSampleLines)
            parts.push_back(NamePartsOf(*entry.Image, position));
    }
    return parts;
}

}  // namespace

TBatchIconExport::TBatchIconExport(TExportSettings& Settings, std::vector<TExportEntry> Entries,
                                   TLoadedImages Loaded, TColor Background, QWidget* parent)
    : QDialog(parent, kDialogFrame),
      Settings(Settings),
      Entries(std::move(Entries)),
      Loaded(std::move(Loaded)),
      Background(Background) {
    setWindowTitle(QStringLiteral("Batch Icon Export"));
    UseDesignFont(this);
    MakeSettingsView();
    MakeProgressView();
    btnExport =
        Place(new QPushButton(QStringLiteral("Export"), this), "btnExport", {232, 416, 73, 25});
    btnExport->setDefault(true);
    btnCancel =
        Place(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel", {312, 416, 73, 25});
    connect(btnExport, &QPushButton::clicked, this, &TBatchIconExport::btnExportClick);
    connect(btnCancel, &QPushButton::clicked, this, &TBatchIconExport::btnCancelClick);
    for (QComboBox* list : {lbxFormat, lbxStyle, lbxSeperator}) {
        connect(list, &QComboBox::currentIndexChanged, this, &TBatchIconExport::lbxStyleChange);
    }
    connect(txtPrefix, &QLineEdit::textChanged, this, &TBatchIconExport::lbxStyleChange);
    FitTexts();
    FormCreate();
    CentreOnScreen(this);
}

void TBatchIconExport::MakeSettingsView() {
    Panel1 = Place(new QWidget(this), "Panel1", {0, 0, 401, 401});
    Label1 = Place(new QLabel(QStringLiteral("You have selected multiple icons to export. Use the "
                                             "options below to specify where the icons will be "
                                             "exported to, what format to use, and how to name "
                                             "the exported files."),
                              Panel1),
                   "Label1", {16, 16, 369, 49});
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Bevel1 = Place(new QFrame(Panel1), "Bevel1", {16, 72, 369, 2});
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Label2 = MakeLabel(Panel1, "Label2", "Export directory:", {16, 91});
    txtDirectory = Place(new TDirectoryEdit(QStringLiteral("Export Directory"), Panel1),
                         "txtDirectory", {104, 88, 265, 21});
    Label3 = MakeLabel(Panel1, "Label3", "Format:", {16, 119});
    lbxFormat = MakeList(Panel1, "lbxFormat", kFormats, {104, 116, 185, 21});
    chkOption = Place(new QCheckBox(QStringLiteral("Export as multi-format ICO files"), Panel1),
                      "chkOption", {104, 144, 265, 17});
    MakeNamingGroup();
}

void TBatchIconExport::MakeNamingGroup() {
    GroupBox1 = Place(new QGroupBox(QStringLiteral("File Naming"), Panel1), "GroupBox1",
                      {16, 168, 369, 233});
    Label7 = MakeLabel(GroupBox1, "Label7", "Style:", {24, 27});
    lbxStyle = MakeList(GroupBox1, "lbxStyle", kStyles, {88, 24, 265, 21});
    Label8 = MakeLabel(GroupBox1, "Label8", "Separator:", {24, 55});
    lbxSeperator = MakeList(GroupBox1, "lbxSeperator", kSeparators, {88, 52, 145, 21});
    Label4 = MakeLabel(GroupBox1, "Label4", "Prefix:", {24, 83});
    txtPrefix = Place(new QLineEdit(GroupBox1), "txtPrefix", {88, 80, 265, 21});
    chkSkipFiles = Place(new QCheckBox(QStringLiteral("Skip files that already exist"), GroupBox1),
                         "chkSkipFiles", {88, 108, 265, 17});
    Label5 = MakeLabel(GroupBox1, "Label5", "Sample:", {24, 135});
    Memo1 = Place(new QPlainTextEdit(GroupBox1), "Memo1", {88, 132, 265, 89});
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = Memo1->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    Memo1->setPalette(colours);
}

void TBatchIconExport::MakeProgressView() {
    Panel2 = Place(new QWidget(this), "Panel2", {0, 8, 401, 393});
    Label9 = MakeLabel(Panel2, "Label9", "Exporting multiple icons...", {16, 8});
    QFont bold = Label9->font();
    bold.setBold(true);
    Label9->setFont(bold);
    SizeToText(Label9);
    Label10 = MakeLabel(Panel2, "Label10", "Source filename:", {40, 48});
    Label11 = Place(new QLabel(Panel2), "Label11", {128, 48, 233, Label10->height()});
    ProgressBar1 = Place(new QProgressBar(Panel2), "ProgressBar1", {40, 80, 321, 12});
    ProgressBar1->setTextVisible(false);
    Label11->move(std::max(Label11->x(), RightEdge(Label10) + kCaptionGap), Label11->y());
    Panel2->hide();
}

void TBatchIconExport::FormCreate() {
    lbxFormat->setCurrentIndex(static_cast<int>(Settings.Format));
    lbxStyle->setCurrentIndex(static_cast<int>(Settings.Style));
    txtPrefix->setText(Settings.Prefix);
    txtDirectory->setText(Settings.Folder);
    lbxSeperator->setCurrentIndex(SeparatorIndex(Settings.Separator));
    chkOption->setChecked(Settings.MultiFormat);
    chkSkipFiles->setChecked(Settings.SkipExisting);
    lbxStyleChange();
}

void TBatchIconExport::lbxStyleChange() {
    const auto format = static_cast<TExportFormat>(std::max(0, lbxFormat->currentIndex()));
    chkOption->setVisible(HoldsManyImages(format));
    chkOption->setText(format == TExportFormat::Icns
                           ? QStringLiteral("Export as multi-format ICNS files")
                           : QStringLiteral("Export as multi-format ICO files"));
    const TExportNaming naming = ChosenSettings().Naming();
    const std::vector<TNameParts> selected = SelectedNameParts(Entries);
    Memo1->setPlainText(FromFilePath(selected.empty() ? ExportSampleText(naming)
                                                      : ExportSampleText(naming, selected)));
}

void TBatchIconExport::btnExportClick() {
    if (PrefixHasForbiddenCharacter(ToFilePath(txtPrefix->text()))) {
        Prompter().Message(this, QStringLiteral("Warning"),
                           QString::fromStdString(kPrefixCharactersMessage), TPromptButtons::Ok);
        return;
    }
    if (!DirectoryReady()) return;
    Settings = ChosenSettings();
    ShowProgressView();
    RunCommand(this, [this] { ShowSummary(RunExport()); });
    done(QDialog::Accepted);
}

void TBatchIconExport::btnCancelClick() {
    CancelRequested = true;
    if (!Exporting) QDialog::reject();
}

void TBatchIconExport::reject() {
    btnCancelClick();
}

void TBatchIconExport::closeEvent(QCloseEvent* event) {
    if (Exporting) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// Whether the export directory exists, or the user agreed to create it and it was created
// with every missing parent. An empty text names no directory and cannot be created.
bool TBatchIconExport::DirectoryReady() {
    const QString directory = txtDirectory->text();
    if (!directory.isEmpty() && QFileInfo(directory).isDir()) return true;
    if (Prompter().Message(this, QStringLiteral("Confirm"), kCreateQuestion,
                           TPromptButtons::YesNo) != TPromptAnswer::Yes) {
        return false;
    }
    if (!directory.isEmpty() && QDir().mkpath(directory)) return true;
    Prompter().Message(this, QStringLiteral("Warning"), kCreateFailure, TPromptButtons::Ok);
    return false;
}

void TBatchIconExport::ShowProgressView() {
    btnExport->setEnabled(false);
    Panel1->hide();
    Label11->clear();
    const auto selected = std::count_if(Entries.begin(), Entries.end(),
                                        [](const TExportEntry& entry) { return entry.Selected; });
    ProgressBar1->setRange(0, static_cast<int>(selected));
    ProgressBar1->setValue(0);
    Panel2->show();
    repaint();
}

TExportResult TBatchIconExport::RunExport() {
    Exporting = true;
    TExportOptions options;
    options.Naming = Settings.Naming();
    options.MultiFormat = Settings.MultiFormat;
    options.Background = Background;
    TExportProgressView view(Label10, Label11, ProgressBar1, CancelRequested);
    return ::RunExport(Entries, Loaded, options, view);
}

// The report at the end of a run; its "Open Folder" has the desktop show the export directory.
void TBatchIconExport::ShowSummary(const TExportResult& Result) {
    if (Prompter().Message(this, QStringLiteral("Information"),
                           QString::fromStdString(ExportSummaryText(Result)),
                           TPromptButtons::OkOpenFolder) != TPromptAnswer::OpenFolder) {
        return;
    }
    const QString folder = Settings.Folder;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ShowErrorBox(this, QStringLiteral("Unable to open %1.").arg(folder));
}

// The settings as the controls show them; every list always has an item selected.
TExportSettings TBatchIconExport::ChosenSettings() const {
    TExportSettings chosen;
    chosen.Format = static_cast<TExportFormat>(std::max(0, lbxFormat->currentIndex()));
    chosen.Style = static_cast<TExportStyle>(std::max(0, lbxStyle->currentIndex()));
    chosen.Separator = kExportSeparators[std::max(0, lbxSeperator->currentIndex())];
    chosen.Prefix = txtPrefix->text();
    chosen.Folder = txtDirectory->text();
    chosen.MultiFormat = chkOption->isChecked();
    chosen.SkipExisting = chkSkipFiles->isChecked();
    return chosen;
}

void TBatchIconExport::FitTexts() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             lbxFormat, chkOption, lbxStyle, lbxSeperator, chkSkipFiles, btnExport, btnCancel}) {
        GrowToText(control);
    }
    for (QWidget* field : std::initializer_list<QWidget*>{txtDirectory, txtPrefix}) {
        field->resize(field->width(), std::max(field->height(), field->sizeHint().height()));
    }
    FitColumns();
    FitHeights();
    FitWindow();
}

void TBatchIconExport::FitColumns() {
    AlignRows({{Label2, txtDirectory}, {Label3, lbxFormat}});
    chkOption->move(lbxFormat->x(), chkOption->y());
    AlignRows({{Label7, lbxStyle}, {Label8, lbxSeperator}, {Label4, txtPrefix}});
    for (QWidget* field : std::initializer_list<QWidget*>{chkSkipFiles, Memo1})
        field->move(lbxStyle->x(), field->y());
    Label5->move(std::max(Label5->x(), Label7->x()), Memo1->y() + kCaptionGap - 1);
}

// The introduction wraps onto as many lines as it needs and the sample shows all six names;
// what lies below them moves down as far as they grew.
void TBatchIconExport::FitHeights() {
    const int introHeight = std::max(kDesignLabel1Height, Label1->heightForWidth(Label1->width()));
    const int dy = introHeight - Label1->height();
    Label1->resize(Label1->width(), introHeight);
    ShiftDown({Bevel1, Label2, txtDirectory, Label3, lbxFormat, chkOption, GroupBox1}, dy);
    const int sampleHeight = static_cast<int>(kSampleLines) * Memo1->fontMetrics().lineSpacing() +
                             2 * static_cast<int>(Memo1->document()->documentMargin()) +
                             2 * Memo1->frameWidth();
    Memo1->resize(Memo1->width(), std::max(kDesignMemoHeight, sampleHeight));
    GroupBox1->resize(GroupBox1->width(),
                      std::max(GroupBox1->height(), BottomEdge(Memo1) + kGroupBottom));
}

void TBatchIconExport::FitWindow() {
    const int groupRight =
        RightMost({lbxStyle, lbxSeperator, txtPrefix, chkSkipFiles, Memo1}) + kMargin / 2;
    GroupBox1->resize(std::max(GroupBox1->width(), groupRight), GroupBox1->height());
    const int width = std::max({kDesignWidth, RightEdge(GroupBox1) + kMargin,
                                RightMost({txtDirectory, lbxFormat, chkOption}) + 2 * kMargin});
    Panel1->resize(width, BottomEdge(GroupBox1));
    for (QWidget* rule : std::initializer_list<QWidget*>{Label1, Bevel1})
        rule->resize(width - 2 * kMargin, rule->height());
    const int buttonsTop = BottomEdge(Panel1) + kButtonsBelow;
    btnCancel->move(width - kMargin - btnCancel->width(), buttonsTop);
    btnExport->move(btnCancel->x() - kButtonGap - btnExport->width(), buttonsTop);
    Panel2->setGeometry(0, Panel2->y(), width, Panel1->height() - Panel2->y());
    ProgressBar1->resize(width - 2 * kProgressBarRight, ProgressBar1->height());
    Label11->resize(RightEdge(ProgressBar1) - Label11->x(), Label11->height());
    setFixedSize(width,
                 buttonsTop + std::max(btnExport->height(), btnCancel->height()) + kBottomMargin);
}
