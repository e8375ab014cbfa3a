#include "ui/export/ExportProgressView.h"

#include <QCoreApplication>
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
