#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QToolButton>
#include <memory>
#include <stdexcept>

#include "../ui/ScriptedPrompter.h"
#include "TempDir.h"
#include "toolkit/FormStorage.h"
#include "toolkit/PlacementSettings.h"

namespace {

// A small form with one property of every kind, its storage kept in the last member so the
// save at destruction still finds the controls.
class TStoredForm : public QWidget {
    Q_OBJECT
public:
    explicit TStoredForm(const QString& storeName = QStringLiteral("marrowby2")) {
        pnlFolders->setObjectName(QStringLiteral("pnlFolders"));
        pnlFolders->resize(185, 50);
        btnDetails->setCheckable(true);
        btnDetails->setChecked(true);
        ExportPath->setText(QStringLiteral("c:\\"));
        setGeometry(50, 60, 691, 463);
        storage = std::make_unique<TFormStorage>(*this, storeName, Properties());
        storage->OnRestorePlacement = [this] { ++restoreEvents; };
    }

    QWidget* pnlFolders = new QWidget(this);
    QToolButton* btnDetails = new QToolButton(this);
    QLabel* ExportPrefix = new QLabel(this);
    QLabel* ExportPath = new QLabel(this);
    int CopyBackground = 16777215;
    bool refuseClose = false;
    bool failBackground = false;
    int restoreEvents = 0;
    std::unique_ptr<TFormStorage> storage;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }

private:
    std::vector<TStoredProperty> Properties() {
        return {
            DecimalProperty(
                QStringLiteral("pnlFolders_Width"), [this] { return pnlFolders->width(); },
                [this](int width) { pnlFolders->resize(width, pnlFolders->height()); }),
            BooleanProperty(
                QStringLiteral("btnDetails_Down"), [this] { return btnDetails->isChecked(); },
                [this](bool down) { btnDetails->setChecked(down); }),
            DecimalProperty(
                QStringLiteral("CopyBackground_Color"), [this] { return CopyBackground; },
                [this](int color) {
                    if (failBackground) throw std::runtime_error("no colour");
                    CopyBackground = color;
                }),
            TextProperty(
                QStringLiteral("ExportPrefix_Caption"), [this] { return ExportPrefix->text(); },
                [this](const QString& text) { ExportPrefix->setText(text); }),
            TextProperty(
                QStringLiteral("ExportPath_Caption"), [this] { return ExportPath->text(); },
                [this](const QString& text) { ExportPath->setText(text); }),
        };
    }
};

class FormStorageTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }

    // Points the store at a new folder, holding conf as its settings file unless conf is empty.
    void Fresh(const QByteArray& conf = {}) {
        folders_.push_back(std::make_unique<TempDir>());
        root_ = QString::fromStdString(folders_.back()->Path().string());
        if (!conf.isEmpty()) {
            QDir().mkpath(root_ + QStringLiteral("/marrowby2"));
            QFile file(ConfPath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(conf);
        }
        UseFolder(root_);
    }
    static void UseFolder(const QString& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    }
    const QString& Root() const { return root_; }
    QString ConfPath() const { return root_ + QStringLiteral("/marrowby2/marrowby2.conf"); }

    void Seed(const QString& name, const QString& value) const {
        QSettings(ConfPath(), QSettings::IniFormat)
            .setValue(QStringLiteral("TStoredForm/") + name, value);
    }
    QString Stored(const QString& name) const {
        return QSettings(ConfPath(), QSettings::IniFormat)
            .value(QStringLiteral("TStoredForm/") + name)
            .toString();
    }
    static QString SizedName(const QString& name) {
        const TScreenMetrics screen = CurrentScreenMetrics();
        return QStringLiteral("%1(%2x%3)").arg(name).arg(screen.Width).arg(screen.Height);
    }
    static QByteArray Ppi() { return QByteArray::number(CurrentScreenMetrics().PixelsPerInch); }

private:
    std::vector<std::unique_ptr<TempDir>> folders_;
    QString root_;
};

TEST_F(FormStorageTest, FirstRunKeepsDesignValuesAndWritesEveryValueAsTextOnce) {
    auto form = std::make_unique<TStoredForm>();
    form->show();
    EXPECT_EQ(form->restoreEvents, 1);
    EXPECT_EQ(form->pnlFolders->width(), 185);
    EXPECT_TRUE(form->btnDetails->isChecked());
    EXPECT_EQ(form->ExportPath->text(), QStringLiteral("c:\\"));
    EXPECT_EQ(form->geometry(), QRect(50, 60, 691, 463));
    EXPECT_FALSE(QFile::exists(ConfPath()));  // restoring writes nothing

    EXPECT_TRUE(form->close());
    EXPECT_EQ(Stored(QStringLiteral("FormVersion")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("Flags")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("ShowCmd")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("PixelsPerInch")), QString::fromLatin1(Ppi()));
    EXPECT_EQ(Stored(QStringLiteral("MinMaxPos")), QStringLiteral("-1,-1,-1,-1"));
    EXPECT_EQ(Stored(SizedName(QStringLiteral("MinMaxPos"))), QStringLiteral("-1,-1,-1,-1"));
    EXPECT_EQ(Stored(QStringLiteral("NormPos")), QStringLiteral("50,60,741,523"));
    EXPECT_EQ(Stored(SizedName(QStringLiteral("NormPos"))), QStringLiteral("50,60,741,523"));
    EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("pnlFolders_Width")), QStringLiteral("185"));
    EXPECT_EQ(Stored(QStringLiteral("btnDetails_Down")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("CopyBackground_Color")), QStringLiteral("16777215"));
    EXPECT_EQ(Stored(QStringLiteral("ExportPrefix_Caption")), QString());
    EXPECT_TRUE(QSettings(ConfPath(), QSettings::IniFormat)
                    .contains(QStringLiteral("TStoredForm/ExportPrefix_Caption")));
    EXPECT_EQ(Stored(QStringLiteral("ExportPath_Caption")), QStringLiteral("c:\\"));

    form.reset();  // the destruction does not save a second time
    EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("0"));
}

TEST_F(FormStorageTest, RoundTripRestoresEveryValueAndTheWindowPlacement) {
    {
        TStoredForm first;
        first.show();
        first.setGeometry(40, 30, 500, 350);
        first.pnlFolders->resize(240, 50);
        first.btnDetails->setChecked(false);
        first.CopyBackground = 0x00336699;
        first.ExportPrefix->setText(QStringLiteral("icon |"));
        first.ExportPath->setText(QStringLiteral("/tmp/out, icons"));
        first.close();
    }
    TStoredForm second;
    second.show();
    EXPECT_EQ(second.geometry(), QRect(40, 30, 500, 350));
    EXPECT_EQ(second.pnlFolders->width(), 240);
    EXPECT_FALSE(second.btnDetails->isChecked());
    EXPECT_EQ(second.CopyBackground, 0x00336699);
    EXPECT_EQ(second.ExportPrefix->text(), QStringLiteral("icon |"));  // the "|" keeps the blank
    EXPECT_EQ(second.ExportPath->text(), QStringLiteral("/tmp/out, icons"));
    EXPECT_FALSE(second.isMinimized());
}

TEST_F(FormStorageTest, PositionsWrittenOnThisScreenSizeWinOverThePlainOnes) {
    Fresh("[TStoredForm]\nPixelsPerInch=" + Ppi() + "\nNormPos=\"10,20,410,320\"\n");
    Seed(SizedName(QStringLiteral("NormPos")), QStringLiteral("30,40,330,240"));
    Seed(QStringLiteral("NormPos(1x1)"), QStringLiteral("0,0,5,5"));
    {
        TStoredForm form;
        form.show();
        EXPECT_EQ(form.geometry(), QRect(30, 40, 300, 200));
    }
    // Only another screen size's values besides the plain ones, written by hand as a list;
    // PixelsPerInch is absent and taken as the current one.
    Fresh("[TStoredForm]\nNormPos=10,20,410,320\n");
    Seed(QStringLiteral("NormPos(1x1)"), QStringLiteral("0,0,5,5"));
    Seed(SizedName(QStringLiteral("NormPos")), QString());  // empty: the plain one holds
    TStoredForm form;
    form.show();
    EXPECT_EQ(form.geometry(), QRect(10, 20, 400, 300));
}

TEST_F(FormStorageTest, AnotherResolutionRestoresPropertiesButNotThePosition) {
    Fresh("[TStoredForm]\nPixelsPerInch=" + QByteArray::number(Ppi().toInt() + 48) +
          "\nNormPos=\"10,20,410,320\"\npnlFolders_Width=300\nbtnDetails_Down=False\n"
          "ExportPath_Caption=/home/icons\nShowCmd=3\n");
    TStoredForm form;
    form.show();
    EXPECT_EQ(form.geometry(), QRect(50, 60, 691, 463));
    EXPECT_EQ(form.pnlFolders->width(), 300);
    EXPECT_FALSE(form.btnDetails->isChecked());
    EXPECT_EQ(form.ExportPath->text(), QStringLiteral("/home/icons"));
    EXPECT_TRUE(form.isMaximized());  // the show state does not depend on the resolution
}

TEST_F(FormStorageTest, MinimisedWindowIsStoredAndComesBackMinimised) {
    {
        TStoredForm first;
        first.show();
        first.setWindowState(Qt::WindowMinimized);
        first.close();
        EXPECT_EQ(Stored(QStringLiteral("ShowCmd")), QStringLiteral("2"));
        EXPECT_EQ(Stored(QStringLiteral("NormPos")), QStringLiteral("50,60,741,523"));
    }
    TStoredForm second;
    second.show();
    EXPECT_TRUE(second.isMinimized());
    EXPECT_FALSE(second.isMaximized());
    EXPECT_EQ(second.geometry(), QRect(50, 60, 691, 463));
}

TEST_F(FormStorageTest, StoredTextsLoseTheirOuterBlanks) {
    {
        TStoredForm first;
        first.show();
        first.ExportPrefix->setText(QStringLiteral(" lead|"));
        first.ExportPath->setText(QStringLiteral("  /srv/icons  "));
        first.close();
    }
    EXPECT_EQ(Stored(QStringLiteral("ExportPrefix_Caption")), QStringLiteral("lead|"));
    EXPECT_EQ(Stored(QStringLiteral("ExportPath_Caption")), QStringLiteral("/srv/icons"));
    TStoredForm second;
    second.show();
    EXPECT_EQ(second.ExportPrefix->text(), QStringLiteral("lead|"));
    EXPECT_EQ(second.ExportPath->text(), QStringLiteral("/srv/icons"));
}

TEST_F(FormStorageTest, HandEditedValuesFollowTheirEncodingAndOthersStay) {
    Fresh(
        "[TStoredForm]\npnlFolders_Width=wide\nbtnDetails_Down=maybe\n"
        "CopyBackground_Color=\" 255 \"\nExportPath_Caption=\"  x  \"\nNormPos=\"15,25\"\n"
        "MyNote=kept\n[Other]\nvalue=1\n");
    {
        TStoredForm form;
        form.show();
        EXPECT_EQ(form.pnlFolders->width(), 0);     // not a number
        EXPECT_TRUE(form.btnDetails->isChecked());  // neither True nor False: unchanged
        EXPECT_EQ(form.CopyBackground, 255);
        EXPECT_EQ(form.ExportPath->text(), QStringLiteral("x"));
        // Missing numbers of the rectangle keep the window's own.
        EXPECT_EQ(form.geometry(), QRect(15, 25, 726, 498));
        form.close();
    }
    EXPECT_EQ(Stored(QStringLiteral("MyNote")), QStringLiteral("kept"));
    EXPECT_EQ(QSettings(ConfPath(), QSettings::IniFormat).value("Other/value").toString(),
              QStringLiteral("1"));

    Fresh("[TStoredForm]\nbtnDetails_Down=fAlSe\nExportPath_Caption=/a\n");
    TStoredForm again;
    again.show();
    EXPECT_FALSE(again.btnDetails->isChecked());
}

TEST_F(FormStorageTest, NegativeLayoutVersionRestoresNothingButStillRaisesTheEvent) {
    Fresh("[TStoredForm]\nFormVersion=-1\npnlFolders_Width=300\nNormPos=\"10,20,410,320\"\n");
    TStoredForm form;
    form.show();
    EXPECT_EQ(form.pnlFolders->width(), 185);
    EXPECT_EQ(form.geometry(), QRect(50, 60, 691, 463));
    EXPECT_EQ(form.restoreEvents, 1);
}

TEST_F(FormStorageTest, UnusableRectanglesKeepTheWindowReachable) {
    Fresh("[TStoredForm]\nNormPos=\"400,20,400,320\"\n");
    {
        TStoredForm form;  // left not less than right: not applied
        form.show();
        EXPECT_EQ(form.geometry(), QRect(50, 60, 691, 463));
    }
    Fresh("[TStoredForm]\nNormPos=\"90000,90000,90400,90300\"\n");
    {
        TStoredForm form;  // off every screen: only the size is taken
        form.show();
        EXPECT_EQ(form.geometry(), QRect(50, 60, 400, 300));
    }
    Fresh("[TStoredForm]\nNormPos=\"-2147483648,0,2147483647,100\"\n");
    {
        TStoredForm form;  // wider than the desktop: cut to it
        form.show();
        EXPECT_LE(form.width(), CurrentScreenMetrics().Width);
        EXPECT_EQ(form.height(), 100);
    }
    // Written on a larger screen, or at a smaller scale: it comes back inside this screen.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect larger = area.adjusted(-40, -30, area.width(), area.height());
    Fresh(QStringLiteral("[TStoredForm]\nNormPos=\"%1,%2,%3,%4\"\n")
              .arg(larger.left())
              .arg(larger.top())
              .arg(larger.right() + 1)
              .arg(larger.bottom() + 1)
              .toUtf8());
    TStoredForm form;
    form.show();
    EXPECT_TRUE(area.contains(form.geometry())) << form.geometry().width();
}

TEST_F(FormStorageTest, SavesOnceAfterTheAcceptedCloseOrAtDestruction) {
    {
        TStoredForm never;  // never shown: nothing restored, nothing written
    }
    EXPECT_FALSE(QFile::exists(ConfPath()));
    {
        TStoredForm refused;
        refused.show();
        refused.refuseClose = true;
        EXPECT_FALSE(refused.close());
        EXPECT_FALSE(QFile::exists(ConfPath()));
        refused.refuseClose = false;
        refused.pnlFolders->resize(99, 50);
        EXPECT_TRUE(refused.close());
        EXPECT_EQ(Stored(QStringLiteral("pnlFolders_Width")), QStringLiteral("99"));
        EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("0"));
    }
    {
        TStoredForm destroyed;
        destroyed.show();
        destroyed.pnlFolders->resize(77, 50);
    }
    EXPECT_EQ(Stored(QStringLiteral("pnlFolders_Width")), QStringLiteral("77"));
    EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("1"));
}

TEST_F(FormStorageTest, FailingPropertyIsSkippedAndTheNextRestored) {
    Fresh("[TStoredForm]\nCopyBackground_Color=123\nExportPrefix_Caption=next|\n");
    TStoredForm form;
    form.failBackground = true;
    form.show();
    EXPECT_EQ(form.CopyBackground, 16777215);
    EXPECT_EQ(form.ExportPrefix->text(), QStringLiteral("next|"));
}

TEST_F(FormStorageTest, UnwritableStoreIsReportedAndTheFormGoesOn) {
    ScriptedPrompter prompter;
    SetApplicationTitle(QStringLiteral("Marrowby 2 Pro"));
    // The folder the store would go in is a regular file.
    const QString blocked = Root() + QStringLiteral("/blocked");
    QFile(blocked).open(QIODevice::WriteOnly);
    UseFolder(blocked);
    {
        TStoredForm form;
        form.show();
        EXPECT_TRUE(prompter.shown.empty());  // nothing to read is no error
        form.pnlFolders->resize(99, 50);
        EXPECT_TRUE(form.close());
        EXPECT_EQ(form.pnlFolders->width(), 99);
    }
    ASSERT_EQ(prompter.shown.size(), 1u);  // reported once; the destruction does not retry
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Marrowby 2 Pro"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("The settings could not be written to ") +
                                          blocked + QStringLiteral("/marrowby2/marrowby2.conf."));

    // The settings file's name is taken by a folder: neither read nor written.
    Fresh();
    QDir().mkpath(ConfPath());
    prompter.shown.clear();
    {
        TStoredForm form;
        form.show();
        EXPECT_EQ(form.pnlFolders->width(), 185);
        form.close();
    }
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_TRUE(
        prompter.shown[0].text.startsWith(QStringLiteral("The settings could not be read")));
    EXPECT_TRUE(
        prompter.shown[1].text.startsWith(QStringLiteral("The settings could not be written")));
    EXPECT_TRUE(QFileInfo(ConfPath()).isDir());
}

TEST_F(FormStorageTest, ReadOnlyFolderIsReportedAndKeepsItsFile) {
    Fresh("[TStoredForm]\npnlFolders_Width=210\n");
    const QString folder = Root() + QStringLiteral("/marrowby2");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(folder).isWritable()) GTEST_SKIP() << "the folder stays writable for root";
    ScriptedPrompter prompter;
    {
        TStoredForm form;
        form.show();
        EXPECT_EQ(form.pnlFolders->width(), 210);
        form.pnlFolders->resize(99, 50);
        form.close();
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(
        prompter.shown[0].text.startsWith(QStringLiteral("The settings could not be written")));
    QFile file(ConfPath());  // the file itself, past the values QSettings still holds
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[TStoredForm]\npnlFolders_Width=210\n"));
}

}  // namespace

#include "FormStorageTest.moc"
