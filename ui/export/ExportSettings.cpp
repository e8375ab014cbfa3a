#include "ui/export/ExportSettings.h"

#include <QDir>
#include <QLabel>
#include <algorithm>
#include <iterator>

#include "ui/main/frmMain.h"
#include "ui/widgets/PathText.h"

namespace {

constexpr int kFormats = static_cast<int>(TExportFormat::Icns) + 1;
constexpr int kStyles = static_cast<int>(TExportStyle::FileResourceSizeDepth) + 1;
constexpr int kSeparators = static_cast<int>(std::size(kExportSeparators));

// A list index is stored in decimal; a text that is no index of the list reads as its first.
int StoredIndex(const QString& caption, int count) {
    bool number = false;
    const int index = caption.toInt(&number);
    return number && index >= 0 && index < count ? index : 0;
}

// A choice is stored as "1" when on, else "0".
bool StoredFlag(const QString& caption) {
    return caption == QStringLiteral("1");
}
QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The prefix is stored with one "|" after it, since the store trims the blanks around a text;
// reading drops the last character again.
QString StoredPrefix(QString caption) {
    caption.chop(1);
    return caption;
}

// The export folder at first start: the root of drive C on Windows, where the program comes
// from; elsewhere the user's home folder, since a drive path means nothing there.
QString DefaultFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::toNativeSeparators(QDir::homePath() + QLatin1Char('/'));
#endif
}

}  // namespace

TExportNaming TExportSettings::Naming() const {
    TExportNaming naming;
    naming.Directory = ToFilePath(Folder);
    naming.Format = Format;
    naming.Style = Style;
    naming.Separator = Separator;
    naming.Prefix = ToFilePath(Prefix);
    naming.SkipExisting = SkipExisting;
    return naming;
}

int SeparatorIndex(char Separator) {
    const auto* found =
        std::find(std::begin(kExportSeparators), std::end(kExportSeparators), Separator);
    return found == std::end(kExportSeparators)
               ? 0
               : static_cast<int>(found - std::begin(kExportSeparators));
}

QString TExportKey::StoredName() const {
    return QString::fromLatin1(Name) + QStringLiteral("_Caption");
}

std::array<TExportKey, 7> ExportKeys() {
    using S = TExportSettings;
    return {{
        {"ExportFormat", &TMain::ExportFormat, QString::number(static_cast<int>(S().Format)),
         [](const QString& c, S& s) {
             s.Format = static_cast<TExportFormat>(StoredIndex(c, kFormats));
         },
         [](const S& s) { return QString::number(static_cast<int>(s.Format)); }},
        {"ExportFilenameFormat", &TMain::ExportFilenameFormat,
         QString::number(static_cast<int>(S().Style)),
         [](const QString& c, S& s) {
             s.Style = static_cast<TExportStyle>(StoredIndex(c, kStyles));
         },
         [](const S& s) { return QString::number(static_cast<int>(s.Style)); }},
        {"ExportPrefix", &TMain::ExportPrefix, QString(),
         [](const QString& c, S& s) { s.Prefix = StoredPrefix(c); },
         [](const S& s) { return s.Prefix + QLatin1Char('|'); }},
        {"ExportPath", &TMain::ExportPath, DefaultFolder(),
         [](const QString& c, S& s) { s.Folder = c; }, [](const S& s) { return s.Folder; }},
        {"ExportSeperator", &TMain::ExportSeperator, QStringLiteral("0"),
         [](const QString& c, S& s) {
             s.Separator = kExportSeparators[StoredIndex(c, kSeparators)];
         },
         [](const S& s) { return QString::number(SeparatorIndex(s.Separator)); }},
        {"ExportSkipFiles", &TMain::ExportSkipFiles, QStringLiteral("0"),
         [](const QString& c, S& s) { s.SkipExisting = StoredFlag(c); },
         [](const S& s) { return Flag(s.SkipExisting); }},
        {"ExportOption", &TMain::ExportOption, QStringLiteral("0"),
         [](const QString& c, S& s) { s.MultiFormat = StoredFlag(c); },
         [](const S& s) { return Flag(s.MultiFormat); }},
    }};
}

TExportSettings TMain::ExportSettings() const {
    TExportSettings settings;
    for (const TExportKey& key : ExportKeys()) key.Read((this->*key.Holder)->text(), settings);
    return settings;
}

void TMain::SetExportSettings(const TExportSettings& settings) {
    for (const TExportKey& key : ExportKeys()) (this->*key.Holder)->setText(key.Write(settings));
}
