#include "ui/dialogs/frmInstallIcon.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "toolkit/Prompter.h"
#include "ui/widgets/PathText.h"
#include "writers/ExportSummary.h"
#include "writers/HicolorExport.h"

namespace {

const QString kCaption = QStringLiteral("Install as Desktop Icon");

bool AnyFailed(const std::vector<THicolorFile>& Files) {
    return std::any_of(Files.begin(), Files.end(),
                       [](const THicolorFile& file) { return !file.Failure.empty(); });
}

// What the message after installing says: the files written and the line a desktop entry
// takes, then each file that failed with its reason.
QString InstallReport(const std::vector<THicolorFile>& Files, const std::string& Name,
                      const std::string& Folder) {
    int written = 0;
    QString failures;
    for (const THicolorFile& file : Files) {
        if (file.Failure.empty()) {
            ++written;
        } else {
            failures += QStringLiteral("\r\n") + FromFilePath(file.Path) + QStringLiteral(": ") +
                        QString::fromStdString(file.Failure);
        }
    }
    QString text = QStringLiteral("%1 of %2 sizes written to %3.")
                       .arg(written)
                       .arg(Files.size())
                       .arg(FromFilePath(Folder));
    if (written > 0)
        text += QStringLiteral("\r\nDesktop entries name it Icon=%1").arg(FromFilePath(Name));
    return text + failures;
}

}  // namespace

TInstallIcon::TInstallIcon(const std::vector<THicolorSize>& Sizes, const std::string& SourceFile,
                           const std::string& ThemeFolder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("InstallIcon"));
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    auto* nameLabel = new QLabel(QStringLiteral("Icon &name:"), this);
    txtName = new QLineEdit(QString::fromStdString(SuggestedHicolorName(SourceFile)), this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9._-]*")), txtName));
    nameLabel->setBuddy(txtName);
    lblFolder =
        new QLabel(QStringLiteral("Sizes written to %1:").arg(FromFilePath(ThemeFolder)), this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    memSizes = new QPlainTextEdit(HicolorSizeLines(Sizes), this);
    memSizes->setObjectName(QStringLiteral("memSizes"));
    memSizes->setReadOnly(true);
    memSizes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int lines = static_cast<int>(Sizes.size()) + 1;
    memSizes->setMinimumSize(memSizes->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48,
                             memSizes->fontMetrics().lineSpacing() * lines + 12);
    auto* buttons = new QDialogButtonBox(this);
    btnInstall = buttons->addButton(QStringLiteral("&Install"), QDialogButtonBox::AcceptRole);
    btnInstall->setObjectName(QStringLiteral("btnInstall"));
    btnInstall->setDefault(true);
    btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QWidget* widget :
         std::initializer_list<QWidget*>{nameLabel, txtName, lblFolder, memSizes, buttons})
        layout->addWidget(widget);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(txtName, &QLineEdit::textChanged, this, &TInstallIcon::txtNameChange);
    txtNameChange();
}

std::string TInstallIcon::IconName() const {
    return txtName->text().toStdString();
}

void TInstallIcon::txtNameChange() {
    btnInstall->setEnabled(IsHicolorName(IconName()));
}

QString HicolorSizeLines(const std::vector<THicolorSize>& Sizes) {
    QStringList lines;
    for (const THicolorSize& size : Sizes) {
        const QString pixels = QStringLiteral("%1x%1").arg(size.Pixels);
        lines << QStringLiteral("%1  %2%3")
                     .arg(pixels, -8)
                     .arg(size.Scaled() ? QStringLiteral("scaled down from ")
                                        : QStringLiteral("from "))
                     .arg(QString::fromStdString(ExportImageText(*size.Source)));
    }
    return lines.join(QLatin1Char('\n'));
}

void InstallAsDesktopIcon(QWidget* parent, TLoadedIconImage& Image) {
    const std::vector<THicolorSize> sizes = HicolorSizesOf(GroupImagesOf(Image));
    if (sizes.empty()) {
        Prompter().Message(parent, QStringLiteral("Information"),
                           QStringLiteral("This icon has no sound square image of 16 pixels or "
                                          "more to install."),
                           TPromptButtons::Ok);
        return;
    }
    const std::string folder = UserHicolorFolder();
    TInstallIcon dialog(sizes, Image.Owner ? Image.Owner->FileName : std::string(), folder, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.IconName();
    const std::vector<THicolorFile> files = InstallHicolorIcon(sizes, name, folder);
    // Message boxes are captioned by their kind, which gives their icon.
    Prompter().Message(parent,
                       AnyFailed(files) ? QStringLiteral("Warning") : QStringLiteral("Information"),
                       InstallReport(files, name, folder), TPromptButtons::Ok);
}
