#include "ui/main/HelpAndWeb.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <stdexcept>

namespace {

const QString kHelpFileName = QStringLiteral("marrowby2.html");
const QString kInstalledHelpFolder = QStringLiteral("../share/doc/marrowby2");

// Hands a web address to the desktop; when the desktop cannot open it (no browser set up) the
// command ends with an error that names what could not be opened.
void Open(const QUrl& url, const QString& shown) {
    if (QDesktopServices::openUrl(url)) return;
    throw std::runtime_error(QStringLiteral("Unable to open %1.").arg(shown).toStdString());
}

}  // namespace

QString HelpFilePath(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString beside = folder.filePath(kHelpFileName);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(folder.filePath(kInstalledHelpFolder + u'/' + kHelpFileName));
    return QFileInfo::exists(installed) ? installed : beside;
}

void OpenWebPage(const char* address) {
    const QString text = QString::fromLatin1(address);
    Open(QUrl(text), text);
}
