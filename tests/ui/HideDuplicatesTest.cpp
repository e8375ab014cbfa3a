#include <QAction>
#include <QMenu>

#include "MainFixture.h"
#include "icons/readers/IcoReader.h"
#include "ui/main/BatchExportCommand.h"

// One icon file holding the same 16 x 16 image three times and a 32 x 32 image: with View >
// "Hide Duplicate Images" the grid shows the first of each and counts the rest, keeping the
// selected cells that stay; a multi-format export still writes every format of the icon.
TEST_F(MainFixture, HideDuplicateImagesShowsEachImageOnceAndExportsKeepTheIconWhole) {
    const IcoEntry same = EntryFor({16, 16, 4, 0x11, 0x00});
    Write("d/dup.ico", BuildIco({same, same, EntryFor({32, 32, 8, 0x22, 0x00}), same}));
    Browse("d");
    Choose(QStringLiteral("dup.ico"));
    ASSERT_EQ(main->lbxViewer->Count(), 4);
    EXPECT_EQ(Panel(1), QStringLiteral(" 4 icons found. "));
    EXPECT_FALSE(main->HideDuplicateImages);

    QAction* hide = main->findChild<QAction*>(QStringLiteral("HideDuplicateImages1"));
    ASSERT_NE(hide, nullptr);
    main->lbxViewer->SelectAllItems();
    main->lbxViewer->selectionModel()->select(main->lbxViewer->model()->index(0, 0),
                                              QItemSelectionModel::Deselect);
    main->lbxViewer->SetCaretIndex(2);
    hide->trigger();
    EXPECT_TRUE(main->HideDuplicateImages);
    emit main->View1->aboutToShow();
    EXPECT_TRUE(hide->isChecked());
    ASSERT_EQ(main->lbxViewer->Count(), 2);
    EXPECT_EQ(&main->lbxViewer->Item(0), main->LoadedIcons.at(0)->Images.at(0).get());
    EXPECT_EQ(main->lbxViewer->Item(1).PixelWidth(), 32);
    EXPECT_EQ(main->lbxViewer->SelCount(), 1);
    EXPECT_TRUE(main->lbxViewer->IsSelected(1));
    EXPECT_EQ(main->lbxViewer->CaretIndex(), 1);
    EXPECT_EQ(Panel(1), QStringLiteral(" 2 of 4 images shown (2 duplicates hidden). "));
    EXPECT_EQ(PanelWidth(1), WidthOf(Panel(1)));

    // The hidden cells stay formats of their icon: a multi-format file holds all four.
    main->lbxViewer->SelectAllItems();
    std::vector<TExportEntry> entries = GridEntries(*main->lbxViewer, main->FilteredImages);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[1].Hidden);
    EXPECT_FALSE(entries[1].Selected);
    EXPECT_TRUE(entries[2].Selected);
    TExportOptions options;
    options.Naming.Format = TExportFormat::Ico;
    options.Naming.Style = TExportStyle::Numeric;
    options.Naming.Directory = (dir.Path() / "out").string();
    options.MultiFormat = true;
    std::filesystem::create_directories(options.Naming.Directory);
    TExportProgress progress;
    const TLoadedImages loaded(main->FilteredImages.begin(), main->FilteredImages.end());
    EXPECT_EQ(RunExport(entries, loaded, options, progress).Written, 1);
    EXPECT_EQ(ReadIcoFile(options.Naming.Directory + "/1.ico")->Images.size(), 4u);

    hide->trigger();
    EXPECT_EQ(main->lbxViewer->Count(), 4);
    EXPECT_EQ(Panel(1), QStringLiteral(" 4 icons found. "));
}
