#include "ui/dialogs/frmScanDirs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "toolkit/TickCount.h"
#include "ui/widgets/DesignedLayout.h"

namespace {

constexpr std::uint32_t kPumpInterval = 100;  // ms between two servings of pending input
constexpr int kDesignWidth = 489;
constexpr int kDesignHeight = 41;
constexpr int kLabelGap = 4;      // between the count line and the path line
constexpr int kMargin = 8;        // below the button
constexpr int kRightMargin = 14;  // right of the button

QString Local(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TScanDirs::TScanDirs(const std::string& Folder, TTickCount TickCount, QWidget* parent)
    : QDialog(parent, kDialogFrameWithoutClose),
      Scan(Folder),
      TickCount(TickCount ? std::move(TickCount) : TTickCount(::TickCount)) {
    setWindowTitle(QStringLiteral("Scanning Subdirectories"));
    UseDesignFont(this);
    Button1 = Place(new QPushButton(QStringLiteral("Cancel"), this), "Button1", {400, 8, 75, 25});
    Button1->setDefault(true);
    Panel1 = Place(new QWidget(this), "Panel1", {0, 0, 393, 41});
    Label2 = Place(new QLabel(QStringLiteral("..."), Panel1), "Label2", {8, 5, 385, 13});
    Label1 = Place(new QLabel(QStringLiteral("..."), Panel1), "Label1", {8, 22, 385, 13});
    connect(Button1, &QPushButton::clicked, this, &TScanDirs::Button1Click);
    FitTexts();
}

bool TScanDirs::Execute(std::vector<std::string>& Folders) {
    CentreOnScreen(this);
    QMetaObject::invokeMethod(this, &TScanDirs::FormActivate, Qt::QueuedConnection);
    exec();
    if (Cancelled) return false;
    Folders = std::move(Directories);
    return true;
}

void TScanDirs::FormActivate() {
    LastPumpTick = TickCount();
    Cancelled = false;
    Scan.Run([this](const TScannedFolder& folder) {
        Directories.push_back(folder.Path);
        if (Directories.size() > 1) FolderFound(folder.Path, Directories.size());
    });
    QMetaObject::invokeMethod(
        this, [this] { done(QDialog::Accepted); }, Qt::QueuedConnection);
}

void TScanDirs::Button1Click() {
    Cancelled = true;
}

void TScanDirs::reject() {
    Button1Click();
}

void TScanDirs::FolderFound(const std::string& folder, std::size_t count) {
    // A long path keeps its start and its end; the middle gives way.
    Label1->setText(
        Label1->fontMetrics().elidedText(Local(folder), Qt::ElideMiddle, Label1->width()));
    Label2->setText(QString::number(count) + QStringLiteral(" directories found"));
    repaint();
    ServePendingInput();
}

// Serves pending input only when more than 100 ms have passed since the last time, so a
// large tree is not slowed down; a Cancel pressed meanwhile takes effect here.
void TScanDirs::ServePendingInput() {
    const std::uint32_t now = TickCount();
    if (now - LastPumpTick <= kPumpInterval) return;
    LastPumpTick = now;
    QCoreApplication::processEvents();
    if (Cancelled) Scan.Cancel();
}

// The two lines are as tall as the font needs; the panel and the dialog grow with them and
// with the button.
void TScanDirs::FitTexts() {
    GrowToText(Button1);
    const int lineHeight = Label2->sizeHint().height();
    for (QLabel* line : {Label2, Label1}) line->resize(line->width(), lineHeight);
    Label1->move(Label1->x(), std::max(Label1->y(), Label2->y() + lineHeight + kLabelGap));
    const int height = std::max(
        {kDesignHeight, Label1->y() + lineHeight + Label2->y(), BottomEdge(Button1) + kMargin});
    Panel1->resize(Panel1->width(), height);
    setFixedSize(std::max(kDesignWidth, RightEdge(Button1) + kRightMargin), height);
}

bool ScanSubdirectories(const std::string& Folder, std::vector<std::string>& Folders) {
    TScanDirs dialog(Folder);
    return dialog.Execute(Folders);
}
