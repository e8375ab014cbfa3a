#pragma once

#include <QString>
#include <QStringList>

#include "writers/ExportRun.h"

class QLabel;
class QProgressBar;

// Shows a running export in the progress view of the batch export dialog: the phase in the
// caption label, the source file in the file label, the position in the bar. After every file
// it lets pending input run, so the view repaints and a Cancel is seen. It keeps the damaged
// images the run skipped.
class TExportProgressView : public TExportProgress {
public:
    // Cancel is the dialog's cancel request, read after input has run.
    TExportProgressView(QLabel* Caption, QLabel* SourceFile, QProgressBar* Bar, const bool& Cancel);

    void PhaseStarted(TExportPhase Phase, int Maximum) override;
    void SourceFileChanged(const std::string& FileName) override;
    void PositionChanged(int Position) override;
    bool CancelRequested() override;
    void ImageDamaged(const TLoadedIconImage& Image, const std::string& Reason) override;

    // The damaged images the run skipped, one line each: the image and "Damaged: " its reason.
    QStringList SkippedDamaged;

private:
    QLabel* Caption;
    QLabel* SourceFile;
    QProgressBar* Bar;
    const bool& Cancel;
};
