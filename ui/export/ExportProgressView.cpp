#include "ui/export/ExportProgressView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

#include "ui/widgets/PathText.h"

TExportProgressView::TExportProgressView(QLabel* Caption, QLabel* SourceFile, QProgressBar* Bar,
                                         const bool& Cancel)
    : Caption(Caption), SourceFile(SourceFile), Bar(Bar), Cancel(Cancel) {}

void TExportProgressView::PhaseStarted(TExportPhase Phase, int Maximum) {
    Caption->setText(
        Phase == TExportPhase::Searching
            ? QStringLiteral("Preparing to export. Searching for multi-format icons...")
            : QStringLiteral("Source filename:"));
    Caption->adjustSize();
    Bar->setMaximum(Maximum);
    Bar->setValue(0);
}

void TExportProgressView::SourceFileChanged(const std::string& FileName) {
    SourceFile->setText(FromFilePath(FileName));
}

void TExportProgressView::PositionChanged(int Position) {
    Bar->setValue(Position);
}

bool TExportProgressView::CancelRequested() {
    QCoreApplication::processEvents();
    return Cancel;
}

void TExportProgressView::ImageDamaged(const TLoadedIconImage& Image, const std::string& Reason) {
    const QString file =
        Image.Owner ? QFileInfo(FromFilePath(Image.Owner->FileName)).fileName() : QString();
    SkippedDamaged << QStringLiteral("%1 %2 %3x%4 %5 bpp: Damaged: %6")
                          .arg(file, QString::fromStdString(Image.ResourceName))
                          .arg(Image.PixelWidth())
                          .arg(Image.PixelHeight())
                          .arg(Image.BitCount)
                          .arg(QString::fromStdString(Reason));
}
