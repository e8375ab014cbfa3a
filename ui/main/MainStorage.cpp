#include "ui/main/MainStorage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

#include "toolkit/FormStorage.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/export/ExportSettings.h"
#include "ui/main/frmMain.h"

namespace {

// The least side a stored pane size must leave each of the two panes it divides; a size read
// that does not (a folder tree one pixel wide, a viewer taller than the window) is repaired
// to the design's. The window's placement is restored before, so its size is known.
constexpr int kLeastPaneSide = 40;

bool LeavesBothPanes(int length, int windowLength) {
    return length >= kLeastPaneSide && length <= windowLength - kLeastPaneSide;
}

TStoredProperty Down(const char* name, QToolButton* button) {
    return BooleanProperty(
        QString::fromLatin1(name), [button] { return button->isChecked(); },
        [button](bool down) { button->setChecked(down); });
}

TStoredProperty Caption(const QString& name, QLabel* label) {
    return TextProperty(
        name, [label] { return label->text(); },
        [label](const QString& text) { label->setText(text); });
}

std::vector<TStoredProperty> MainProperties(TMain& main) {
    TShellFolderTree* folders = main.lbxFolders;
    std::vector<TStoredProperty> properties = {
        CheckedDecimalProperty(
            QStringLiteral("pnlFolders_Width"), [&main] { return main.FoldersWidth(); },
            [&main](int width) {
                if (width != main.FoldersWidth()) main.SetFoldersWidth(width);
            },
            [&main](int width) { return LeavesBothPanes(width, main.width()); }),
        CheckedDecimalProperty(
            QStringLiteral("pnlContainViewer_Height"),
            [&main] { return main.ContainViewerHeight(); },
            [&main](int height) { main.SetContainViewerHeight(height); },
            [&main](int height) { return LeavesBothPanes(height, main.height()); }),
        Down("btnDetails_Down", main.btnDetails),
        Down("btnLargeIcons_Down", main.btnLargeIcons),
        Down("btnList_Down", main.btnList),
        Down("btnSmallIcons_Down", main.btnSmallIcons),
        TextProperty(
            QStringLiteral("lbxFolders_Directory"), [folders] { return folders->Directory(); },
            [folders](const QString& path) { folders->SetDirectory(path); }),
        DecimalProperty(
            QStringLiteral("CopyBackground_Color"),
            [&main] { return ColorValue(main.CopyBackgroundColor()); },
            [&main](int value) { main.SetCopyBackgroundColor(ColorFromValue(value)); }),
        Down("btnScanAllFiles_Down", main.btnScanAllFiles),
        BooleanProperty(
            QStringLiteral("IncludeCursors1_Checked"), [&main] { return main.IncludeCursors; },
            [&main](bool checked) { main.IncludeCursors = checked; }),
        BooleanProperty(
            QStringLiteral("HideDuplicateImages1_Checked"),
            [&main] { return main.HideDuplicateImages; },
            [&main](bool checked) { main.HideDuplicateImages = checked; }),
        BooleanProperty(
            QStringLiteral("ShowLabels1_Checked"), [&main] { return main.ShowLabels; },
            [&main](bool checked) { main.ShowLabels = checked; }),
        BooleanProperty(
            QStringLiteral("HashIconsLikeCAPE1_Checked"),
            [&main] { return main.HashIconsLikeCape; },
            [&main](bool checked) { main.HashIconsLikeCape = checked; }),
        DecimalProperty(
            QStringLiteral("SaveAsDialog_FilterIndex"),
            [&main] { return main.SaveAsDialog.FilterIndex; },
            [&main](int index) { main.SaveAsDialog.FilterIndex = index; }),
        TextProperty(
            QStringLiteral("SaveAsDialog_Folder"), [&main] { return main.SaveAsFolder; },
            [&main](const QString& folder) { main.SaveAsFolder = folder; }),
        TextProperty(
            QStringLiteral("RecentFiles"), [&main] { return main.RecentFiles.Text(); },
            [&main](const QString& text) { main.RecentFiles.SetText(text); }),
        TextProperty(
            QStringLiteral("ViewerZoom"), [&main] { return ZoomText(main.ViewerZoom); },
            [&main](const QString& text) { main.SetViewerZoom(ZoomFromText(text)); }),
    };
    for (const TExportKey& key : ExportKeys())
        properties.push_back(Caption(key.StoredName(), main.*key.Holder));
    return properties;
}

}  // namespace

std::unique_ptr<TFormStorage> CreateMainStorage(TMain& main) {
    // The store is named after the program file, as the settings have always been filed.
    const QString storeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    auto storage = std::make_unique<TFormStorage>(main, storeName, MainProperties(main));
    storage->OnRestorePlacement = [&main] { main.FormStorageRestorePlacement(); };
    return storage;
}

int ColorValue(const QColor& color) {
    return color.red() | color.green() << 8 | color.blue() << 16;
}

QColor ColorFromValue(int value) {
    return QColor(value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF);
}

void TMain::FormStorageRestorePlacement() {
    btnLargeIconsClick();
    ApplyStartPath();
}
