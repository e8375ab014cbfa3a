#include "ui/main/SaveImageCommand.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "ui/main/SaveFileName.h"
#include "ui/widgets/PathText.h"
#include "writers/BmpWriter.h"
#include "writers/GifWriter.h"
#include "writers/IcnsWriter.h"
#include "writers/IconWriter.h"
#include "writers/PngUnit.h"

namespace {

// The extensions of the dialog's filter entries, entry 1 first.
const std::array<QString, 5> kEntryExtensions = {QStringLiteral(".bmp"), QStringLiteral(".ico"),
                                                 QStringLiteral(".gif"), QStringLiteral(".png"),
                                                 QStringLiteral(".icns")};

QString ExtensionOfEntry(int FilterIndex) {
    const int last = static_cast<int>(kEntryExtensions.size());
    return kEntryExtensions[static_cast<std::size_t>(std::clamp(FilterIndex, 1, last) - 1)];
}

// The entry a typed extension names, or the one chosen in the dialog when it names none.
int EntryOfAnswer(const TSaveFileAnswer& answer) {
    const auto typed =
        std::find(kEntryExtensions.begin(), kEntryExtensions.end(), FileExtension(answer.FileName));
    if (typed == kEntryExtensions.end())
        return std::clamp(answer.FilterIndex, 1, static_cast<int>(kEntryExtensions.size()));
    return static_cast<int>(typed - kEntryExtensions.begin()) + 1;
}

bool MayReplace(QWidget* parent, const QString& FileName) {
    const QFileInfo file(FileName);
    if (!file.exists() || file.isDir()) return true;
    const QString text =
        QStringLiteral("The file \"%1\" already exists.\r\nDo you want to replace it?")
            .arg(file.fileName());
    return Prompter().Message(parent, QStringLiteral("Warning"), text, TPromptButtons::YesNo) ==
           TPromptAnswer::Yes;
}

}  // namespace

std::optional<TImageFileChoice> ChooseImageFile(QWidget* parent, TSaveFileRequest& SaveAsDialog,
                                                QString& Folder, const QString& Suggested) {
    SaveAsDialog.FileName = QDir(Folder).filePath(Suggested);
    for (;;) {
        const TSaveFileAnswer answer = Prompter().SaveFile(parent, SaveAsDialog);
        if (!answer.Accepted) return std::nullopt;
        SaveAsDialog.FileName = answer.FileName;
        SaveAsDialog.FilterIndex = EntryOfAnswer(answer);
        TImageFileChoice choice;
        choice.Extension = ExtensionOfEntry(SaveAsDialog.FilterIndex);
        choice.FileName = WithExtension(answer.FileName, choice.Extension);
        if (MayReplace(parent, choice.FileName)) {
            Folder = QFileInfo(choice.FileName).absolutePath();
            return choice;
        }
    }
}

void SaveImageFile(TLoadedIconImage& Image, const TImageFileChoice& Choice, TColor Background) {
    const std::string path = ToFilePath(Choice.FileName);
    if (Choice.Extension == QStringLiteral(".gif")) {
        SaveImageAsGif(Image, path, Background);
    } else if (Choice.Extension == QStringLiteral(".png")) {
        SaveImageAsPng(Image, path, Background);
    } else if (Choice.Extension == QStringLiteral(".bmp")) {
        SaveImageAsBmp(Image, path, Background);
    } else if (Choice.Extension == QStringLiteral(".icns")) {
        SaveImageAsIcns(Image, path, Background);
    } else {
        SaveImageAsIco(Image, path);
    }
}
