#include "ui/main/SaveImageCommand.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

#include "ui/main/SaveFileName.h"
#include "ui/widgets/PathText.h"
#include "writers/BmpWriter.h"
#include "writers/GifWriter.h"
#include "writers/IconWriter.h"
#include "writers/PngUnit.h"

namespace {

// The extensions of the dialog's filter entries, entry 1 first.
const std::array<QString, 4> kEntryExtensions = {QStringLiteral(".bmp"), QStringLiteral(".ico"),
                                                 QStringLiteral(".gif"), QStringLiteral(".png")};

QString ExtensionOfEntry(int FilterIndex) {
    const int last = static_cast<int>(kEntryExtensions.size());
    return kEntryExtensions[static_cast<std::size_t>(std::clamp(FilterIndex, 1, last) - 1)];
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

std::optional<TImageFileChoice> ChooseImageFile(QWidget* parent, TSaveFileRequest& SaveAsDialog) {
    for (;;) {
        const TSaveFileAnswer answer = Prompter().SaveFile(parent, SaveAsDialog);
        if (!answer.Accepted) return std::nullopt;
        SaveAsDialog.FileName = answer.FileName;
        SaveAsDialog.FilterIndex = answer.FilterIndex;
        TImageFileChoice choice;
        choice.Extension = ExtensionOfEntry(answer.FilterIndex);
        choice.FileName = WithExtension(answer.FileName, choice.Extension);
        if (MayReplace(parent, choice.FileName)) return choice;
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
    } else {
        SaveImageAsIco(Image, path);
    }
}
