#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ScriptedPrompter.h"
#include "ui/dialogs/frmFilterIcons.h"

namespace {

const QString kNoSize =
    QStringLiteral("You must select at least one icon size\r\nto show or no icons will be listed.");
const QString kNoDepth = QStringLiteral(
    "You must select at least one color depth\r\nto show or no icons will be listed.");

// Runs Execute on flags with the user's actions played once the dialog is shown; a dialog the
// actions leave open fails the test and is cancelled.
bool RunDialog(TIconFilter& flags, const std::function<void(TFilterIcons&)>& user) {
    TFilterIcons dialog;
    QTimer::singleShot(0, &dialog, [&] {
        user(dialog);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog.reject();
        }
    });
    return dialog.Execute(flags);
}

TIconFilter Filtering() {
    TIconFilter flags;
    flags.ShowAllIcons = false;
    flags.Show48x48 = false;
    flags.Show16Color = false;
    return flags;
}

QList<QCheckBox*> Boxes(const TFilterIcons& dialog) {
    return dialog.Panel1->findChildren<QCheckBox*>();
}

}  // namespace

TEST(FilterIcons, ConfirmingWithoutAChangeReturnsFalse) {
    ScriptedPrompter prompter;
    TIconFilter all;
    EXPECT_FALSE(RunDialog(all, [](TFilterIcons& d) { d.btnOK->click(); }));
    EXPECT_EQ(all, TIconFilter());

    TIconFilter filtering = Filtering();
    EXPECT_FALSE(RunDialog(filtering, [](TFilterIcons& d) {
        d.chk48x48->click();
        d.chk48x48->click();
        d.btnOK->click();
    }));
    EXPECT_EQ(filtering, Filtering());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(FilterIcons, ConfirmedChangesAreWrittenBack) {
    ScriptedPrompter prompter;
    TIconFilter flags = Filtering();
    EXPECT_TRUE(RunDialog(flags, [](TFilterIcons& d) {
        d.chk48x48->click();
        d.chkMonochrome->click();
        d.btnOK->click();
    }));
    TIconFilter expected = Filtering();
    expected.Show48x48 = true;
    expected.ShowMonochrome = false;
    EXPECT_EQ(flags, expected);

    // Back to all icons: counts as a change and the boxes are kept.
    EXPECT_TRUE(RunDialog(flags, [](TFilterIcons& d) {
        d.chkShowAll->click();
        d.btnOK->click();
    }));
    expected.ShowAllIcons = true;
    EXPECT_EQ(flags, expected);

    // From all icons to filtering with the same boxes is a change too.
    EXPECT_TRUE(RunDialog(flags, [](TFilterIcons& d) {
        d.chkFilter->click();
        d.btnOK->click();
    }));
    expected.ShowAllIcons = false;
    EXPECT_EQ(flags, expected);
}

TEST(FilterIcons, BoxesAreDisabledUnderShowAllAndKeepTheirTicks) {
    ScriptedPrompter prompter;
    TIconFilter flags;
    flags.Show256Color = false;
    EXPECT_FALSE(RunDialog(flags, [](TFilterIcons& d) {
        EXPECT_TRUE(d.chkShowAll->isChecked());
        for (QCheckBox* box : Boxes(d))
            EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
        EXPECT_FALSE(d.chk256color->isChecked());
        EXPECT_TRUE(d.chk24bitcolor->isChecked());
        d.chk256color->click();  // disabled: no effect
        d.chkFilter->click();
        for (QCheckBox* box : Boxes(d))
            EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
        EXPECT_FALSE(d.chk256color->isChecked());
        d.chkShowAll->click();
        EXPECT_FALSE(d.chk16x16->isEnabled());
        d.btnOK->click();
    }));
    EXPECT_FALSE(flags.Show256Color);
    EXPECT_TRUE(flags.ShowAllIcons);
}

TEST(FilterIcons, OkRefusesNoSizeOrNoDepthAlsoUnderShowAll) {
    ScriptedPrompter prompter;
    TIconFilter flags = Filtering();
    EXPECT_FALSE(RunDialog(flags, [&](TFilterIcons& d) {
        for (QCheckBox* box : {d.chk16x16, d.chk32x32, d.chkOtherSizes}) box->click();
        d.btnOK->click();
        EXPECT_TRUE(d.isVisible());
        d.chkShowAll->click();
        d.btnOK->click();
        EXPECT_TRUE(d.isVisible());
        d.chkFilter->click();
        d.chkOtherSizes->click();
        for (QCheckBox* box : {d.chkMonochrome, d.chk256color, d.chk24bitcolor, d.chk32bitcolor}) {
            box->click();
        }
        d.btnOK->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.chkMonochrome->isChecked());
        d.btnCancel->click();
    }));
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[0].text, kNoSize);
    EXPECT_EQ(prompter.shown[1].text, kNoSize);
    EXPECT_EQ(prompter.shown[2].text, kNoDepth);
    EXPECT_EQ(prompter.shown[2].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.shown[2].buttons, TPromptButtons::Ok);
    EXPECT_EQ(flags, Filtering());
}

TEST(FilterIcons, CancelEscapeAndCloseBoxLeaveTheFlagsAlone) {
    ScriptedPrompter prompter;
    const std::function<void(TFilterIcons&)> closings[] = {
        [](TFilterIcons& d) { d.btnCancel->click(); },
        [](TFilterIcons& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TFilterIcons& d) { d.close(); },
    };
    for (const auto& closing : closings) {
        TIconFilter flags = Filtering();
        EXPECT_FALSE(RunDialog(flags, [&](TFilterIcons& d) {
            d.chk16x16->click();
            d.chkShowAll->click();
            closing(d);
        }));
        EXPECT_EQ(flags, Filtering());
    }
}

TEST(FilterIcons, DesignedLayoutTextsAndTabOrder) {
    TFilterIcons dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Filter Icons"));
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_GE(dialog.width(), 345);
    EXPECT_GE(dialog.height(), 217);
    EXPECT_EQ(dialog.chkShowAll->text(), QStringLiteral("Show all icons"));
    EXPECT_EQ(dialog.chkFilter->text(), QStringLiteral("Filter icons"));
    EXPECT_EQ(dialog.chk24bitcolor->text(), QStringLiteral("Show 24-bit color icons"));
    EXPECT_EQ(dialog.chkOtherSizes->text(), QStringLiteral("Show other size icons"));
    EXPECT_EQ(dialog.chkShowAll->pos(), QPoint(24, 24));
    EXPECT_EQ(dialog.Panel1->x(), 24);
    EXPECT_EQ(dialog.chk16x16->pos(), QPoint(0, 0));
    EXPECT_TRUE(dialog.btnOK->isDefault());
    EXPECT_EQ(dialog.btnCancel->text(), QStringLiteral("Cancel"));

    // Nothing is clipped, nothing overlaps, and the buttons sit below the panel.
    QList<QWidget*> controls = {dialog.chkShowAll, dialog.chkFilter, dialog.btnOK,
                                dialog.btnCancel};
    for (QCheckBox* box : Boxes(dialog)) controls << box;
    for (QWidget* control : controls) {
        EXPECT_GE(control->width(), control->sizeHint().width())
            << control->objectName().toStdString();
        EXPECT_GE(control->height(), control->sizeHint().height())
            << control->objectName().toStdString();
        const QRect inDialog(control->mapTo(&dialog, QPoint(0, 0)), control->size());
        EXPECT_TRUE(dialog.rect().contains(inDialog)) << control->objectName().toStdString();
    }
    EXPECT_GE(dialog.chkMonochrome->x(), dialog.chk16x16->x() + dialog.chk16x16->width());
    EXPECT_GE(dialog.chk32x32->y(), dialog.chk16x16->y() + dialog.chk16x16->height());
    EXPECT_GE(dialog.btnOK->y(), dialog.Panel1->y() + dialog.Panel1->height());
    EXPECT_GE(dialog.chkFilter->x(), dialog.chkShowAll->x() + dialog.chkShowAll->width());

    // The order Tab walks: the focus chain without the controls Tab skips.
    QStringList order;
    for (QWidget* at = dialog.chkShowAll; order.size() < 13; at = at->nextInFocusChain()) {
        if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')).toStdString(),
              "chkShowAll chkFilter chk16x16 chk32x32 chk48x48 chkOtherSizes chk16color "
              "chk256color chk24bitcolor chkMonochrome chk32bitcolor btnOK btnCancel");

    dialog.chkShowAll->setChecked(true);
    dialog.grab().save(QStringLiteral(MARROWBY_TEST_OUTPUT_DIR "/marrowby-filter-icons.png"));
}
