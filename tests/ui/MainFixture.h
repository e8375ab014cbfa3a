#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "IcoBuilder.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/main/LoadRun.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"

// An icon file with one opaque image per (size, bit count), every colour byte `fill`.
inline ByteString IconOfSizes(const std::vector<std::pair<int, int>>& formats,
                              std::uint8_t fill = 0x40) {
    std::vector<IcoEntry> entries;
    for (auto [size, bits] : formats) entries.push_back(EntryFor({size, size, bits, fill, 0x00}));
    return BuildIco(entries);
}

// The real main window, shown offscreen, over a real temporary folder tree.
class MainFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        main = std::make_unique<TMain>();
        main->show();
        // The folder tree's first selection fills the list once the window is ready.
        WaitFor([&] { return !main->CurrentFolder.isEmpty() && !main->LoadRun->Loading; });
    }

    void TearDown() override {
        main.reset();
        Settle();
    }

    static void WaitFor(const std::function<bool()>& done) {
        EXPECT_TRUE(QTest::qWaitFor(done, 10000));
    }

    // Waits until the load run in progress, if any, has filled the grid.
    void RunToEnd() {
        WaitFor([&] { return !main->LoadRun->Loading; });
    }

    // Serves every posted event and pending notice, restarts included.
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    QString Folder(const std::string& relative) const {
        QString path = QString::fromStdString((dir.Path() / relative).string());
        return QDir::toNativeSeparators(path) + QDir::separator();
    }

    std::string Write(const std::string& relative, ByteView bytes) const {
        return dir.Write(relative, bytes);
    }

    // Selects a folder in the tree and waits until the window has taken it up.
    void Browse(const std::string& relative) {
        const QString folder = Folder(relative);
        QDir().mkpath(folder);
        main->lbxFolders->SetDirectory(folder.chopped(1));
        WaitFor([&] { return main->CurrentFolder == folder && !main->LoadRun->Loading; });
    }

    // Chooses a file of the list by its name, as a click on it would, once the list shows it.
    void Choose(const QString& name) {
        int row = -1;
        WaitFor([&] {
            for (row = 0; row < main->lbxFiles->Count(); ++row) {
                if (QFileInfo(main->lbxFiles->ItemPath(row)).fileName() == name) return true;
            }
            return false;
        });
        main->lbxFiles->SelectItem(row);
        RunToEnd();
    }

    void ChooseFileType(int index) {
        main->lbxFilters->setCurrentIndex(index);
        emit main->lbxFilters->activated(index);
        RunToEnd();
    }

    QString Panel(int panel) const { return main->StatusBar->Text(panel); }
    int PanelWidth(int panel) const { return main->StatusBar->PanelWidth(panel); }
    // The width a status text takes by the blank-and-width rule.
    int WidthOf(const QString& padded) const {
        return main->StatusBar->fontMetrics().horizontalAdvance(padded) + 6;
    }

    ScriptedPrompter prompter;
    TempDir dir;
    std::unique_ptr<TMain> main;
};
