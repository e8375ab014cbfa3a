#include "ui/dialogs/frmScanDirs.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "ui/widgets/DesignedLayout.h"

namespace {

constexpr int kProgressInterval = 50;  // ms between two updates of the labels
constexpr int kDesignWidth = 489;
constexpr int kDesignHeight = 41;
constexpr int kLabelGap = 4;      // between the count line and the path line
constexpr int kMargin = 8;        // below the button
constexpr int kRightMargin = 14;  // right of the button

}  // namespace

TScanDirs::TScanDirs(const std::string& Folder, std::string Mask,
                     TFolderTreeListing::TFolderFound watch, QWidget* parent)
    : QDialog(parent, kDialogFrameWithoutClose),
      ProgressTimer(new QTimer(this)),
      Watch(std::move(watch)),
      Directories(Folder, std::move(Mask)) {
    setWindowTitle(QStringLiteral("Scanning Subdirectories"));
    UseDesignFont(this);
    Button1 = Place(new QPushButton(QStringLiteral("Cancel"), this), "Button1", {400, 8, 75, 25});
    Button1->setDefault(true);
    Panel1 = Place(new QWidget(this), "Panel1", {0, 0, 393, 41});
    Label2 = Place(new QLabel(QStringLiteral("..."), Panel1), "Label2", {8, 5, 385, 13});
    Label1 = Place(new QLabel(QStringLiteral("..."), Panel1), "Label1", {8, 22, 385, 13});
    connect(Button1, &QPushButton::clicked, this, &TScanDirs::Button1Click);
    ProgressTimer->setInterval(kProgressInterval);
    connect(ProgressTimer, &QTimer::timeout, this, &TScanDirs::ShowProgress);
    FitTexts();
}

bool TScanDirs::Execute(TFoundFiles& Found) {
    CentreOnScreen(this);
    QMetaObject::invokeMethod(this, &TScanDirs::FormActivate, Qt::QueuedConnection);
    exec();
    if (Cancelled) return false;
    Found = Directories.TakeFiles();
    return true;
}

// The listing's thread hands its end back to the dialog's thread, which the dialog outlives
// it on: the listing is joined before the dialog goes.
void TScanDirs::FormActivate() {
    ProgressTimer->start();
    Directories.Start(
        [this] { QMetaObject::invokeMethod(this, &TScanDirs::ScanEnded, Qt::QueuedConnection); },
        Watch);
}

void TScanDirs::Button1Click() {
    Cancelled = true;
    Directories.Cancel();
}

void TScanDirs::reject() {
    Button1Click();
}

// Shows the folder found last and the count, when they have moved on since the last time.
void TScanDirs::ShowProgress() {
    const auto [folder, count] = Directories.Progress();
    if (count == ShownCount) return;
    ShownCount = count;
    // A long path keeps its start and its end; the middle gives way.
    Label1->setText(Label1->fontMetrics().elidedText(QString::fromStdString(folder),
                                                     Qt::ElideMiddle, Label1->width()));
    Label2->setText(QString::number(count) + QStringLiteral(" directories found"));
}

void TScanDirs::ScanEnded() {
    ProgressTimer->stop();
    ShowProgress();
    done(QDialog::Accepted);
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

bool ScanSubdirectories(const std::string& Folder, const std::string& Mask, TFoundFiles& Found) {
    TScanDirs dialog(Folder, Mask);
    return dialog.Execute(Found);
}
