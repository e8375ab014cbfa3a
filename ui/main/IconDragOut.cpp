#include "ui/main/IconDragOut.h"

#include <QList>
#include <QUrl>
#include <algorithm>

#include "ui/widgets/PathText.h"
#include "ui/widgets/StraightAlphaPicture.h"
#include "writers/WriterError.h"

namespace {

class TWrittenFiles : public TExportProgress {
public:
    void FileWritten(const std::string& Path) override {
        Urls << QUrl::fromLocalFile(FromFilePath(Path));
    }
    QList<QUrl> Urls;
};

}  // namespace

std::unique_ptr<QMimeData> IconDragData(const std::vector<TExportEntry>& Entries,
                                        TExportNaming Naming, TColor Background,
                                        const std::string& Folder) {
    const auto first = std::find_if(Entries.begin(), Entries.end(),
                                    [](const TExportEntry& entry) { return entry.Selected; });
    if (first == Entries.end()) return nullptr;
    TExportOptions options;
    options.Naming = std::move(Naming);
    options.Naming.Directory = Folder;
    options.Naming.Format = TExportFormat::Png;
    options.Naming.SkipExisting = false;
    options.Background = Background;
    TWrittenFiles written;
    // Names are never skipped here, so the loaded images that skipping counts are not needed.
    const TExportResult result = RunExport(Entries, {}, options, written);
    if (!result.Failed.empty()) throw TWriteError(result.Failed.front().Reason);
    auto data = std::make_unique<QMimeData>();
    data->setUrls(written.Urls);
    if (first->Image->Damage().empty())
        data->setData(QStringLiteral("image/png"), StraightAlphaPng(*first->Image));
    return data;
}
