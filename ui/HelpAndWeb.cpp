#include "ui/HelpAndWeb.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString kHelpFileName = QStringLiteral("marrowby2.html");
const QString kInstalledHelpFolder = QStringLiteral("../share/doc/marrowby2");

}  // namespace

QString HelpFilePath(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString beside = folder.filePath(kHelpFileName);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(folder.filePath(kInstalledHelpFolder + u'/' + kHelpFileName));
    return QFileInfo::exists(installed) ? installed : beside;
}

void OpenHelpContents() {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(HelpFilePath(QCoreApplication::applicationDirPath())));
}

void OpenWebPage(const char* address) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}
