// Going to a path: the address bar with its completion, File > "Open...", the recent files, and
// the start path and a dropped file, which all open a path the same way.
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QUrl>

#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/widgets/PathText.h"

namespace {

constexpr int kPathPanel = 0;

// What a typed path stands for: a file:// address its local file, "~" the home folder, and a
// relative path one below the folder shown.
QString ExpandedPath(const QString& typed, const QString& folder) {
    const QString text = typed.trimmed();
    if (text.startsWith(QStringLiteral("file:"))) return QUrl(text).toLocalFile();
    if (text == QStringLiteral("~")) return QDir::homePath();
    if (text.startsWith(QStringLiteral("~/"))) return QDir::homePath() + text.mid(1);
    if (text.isEmpty() || QDir::isAbsolutePath(text) || folder.isEmpty()) return text;
    return folder + text;
}

// The file chooser's entries: the current file type with its mask's patterns, then every file.
QStringList OpenFilters(const QString& entry, const QString& mask) {
    const QString name = entry.section(QLatin1Char('('), 0, 0).trimmed();
    QString patterns = mask;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
    return {QStringLiteral("%1 (%2)").arg(name, patterns), QStringLiteral("All files (*)")};
}

}  // namespace

// The path the window shows is edited in place; completion offers the folders and files below
// what is typed.
void TMain::CreateAddressBar() {
    lblCurrentPath->setFrame(false);
    lblCurrentPath->setToolTip(QStringLiteral("Type a folder or file and press Enter (Ctrl+L)."));
    auto* completer = new QCompleter(lblCurrentPath);
    auto* files = new QFileSystemModel(completer);
    files->setRootPath(QString());
    files->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);
    completer->setModel(files);
    lblCurrentPath->setCompleter(completer);
    connect(lblCurrentPath, &QLineEdit::returnPressed, this,
            [this] { Run(&TMain::lblCurrentPathReturn); });
    // Escape gives up the typing: the bar shows the current folder again.
    auto* revert = new QAction(lblCurrentPath);
    revert->setShortcut(Qt::Key_Escape);
    revert->setShortcutContext(Qt::WidgetShortcut);
    lblCurrentPath->addAction(revert);
    connect(revert, &QAction::triggered, this, [this] {
        lblCurrentPath->setText(CurrentFolder);
        lbxFiles->setFocus();
    });
    auto* focus = new QAction(this);
    focus->setObjectName(QStringLiteral("GoToPath1"));
    focus->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)});
    addAction(focus);
    connect(focus, &QAction::triggered, this, [this] { Run(&TMain::FocusAddressBar); });
}

void TMain::FocusAddressBar() {
    lblCurrentPath->setFocus(Qt::ShortcutFocusReason);
    lblCurrentPath->selectAll();
}

void TMain::lblCurrentPathReturn() {
    if (OpenPath(ExpandedPath(lblCurrentPath->text(), CurrentFolder))) lbxFiles->setFocus();
}

bool TMain::OpenPath(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        StatusBar->ShowMessage(
            kPathPanel, QStringLiteral("\"%1\" does not exist: no such file or folder.").arg(path));
        return false;
    }
    const QString folder =
        QDir::toNativeSeparators(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
    const QString name = info.isDir() ? QString() : info.fileName();
    if (!name.isEmpty()) RecentFiles.Add(QDir::toNativeSeparators(info.absoluteFilePath()));
    if (WithTrailingSeparator(folder) == CurrentFolder) {
        lblCurrentPath->setText(CurrentFolder);
        if (name.isEmpty()) return true;
        // The list's report of the choice finds the file current already; the load is ours.
        CurrentFileName = StartFileName = name;
        ChooseStartFile();
        LoadFiles(false);
        return true;
    }
    lbxFolders->SetDirectory(folder);
    if (QDir(lbxFolders->Directory()) != QDir(folder)) {
        StatusBar->ShowMessage(
            kPathPanel, QStringLiteral("\"%1\" cannot be shown in the folder tree.").arg(folder));
        return false;
    }
    if (!name.isEmpty()) CurrentFileName = StartFileName = name;
    return true;
}

void TMain::Open1Click() {
    QString path = CurrentFolder;
    if (!Prompter().OpenFile(this, QStringLiteral("Open"),
                             OpenFilters(lbxFilters->currentText(), CurrentMask), path)) {
        return;
    }
    OpenPath(path);
}

void TMain::RecentFiles1Popup() {
    RecentFiles1->clear();
    int number = 0;
    for (const QString& path : RecentFiles.Paths()) {
        ++number;
        const QString shown = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = RecentFiles1->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(shown)
                        : QStringLiteral("1&0 %1").arg(shown));
        connect(entry, &QAction::triggered, this,
                [this, path] { RunCommand(this, [&] { OpenRecentFile(path); }); });
    }
}

void TMain::OpenRecentFile(const QString& path) {
    if (QFileInfo::exists(path)) {
        OpenPath(path);
        return;
    }
    RecentFiles.Remove(path);
    Prompter().Message(
        this, QStringLiteral("Information"),
        QStringLiteral("\"%1\" no longer exists.\r\nIt has been taken off the recent files.")
            .arg(path),
        TPromptButtons::Ok);
}
