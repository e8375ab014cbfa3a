#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TempDir.h"
#include "ui/main/HelpAndWeb.h"

namespace {

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

TEST(HelpAndWeb, HelpManualBesideTheProgramOrWhereTheInstallationPutsIt) {
    TempDir dir;
    const QString root = QString::fromStdString(dir.Path().string());
    const QString bin = root + QStringLiteral("/bin");
    const QString beside = bin + QStringLiteral("/marrowby2.html");
    const QString installed = root + QStringLiteral("/share/doc/marrowby2/marrowby2.html");
    QDir().mkpath(bin);
    EXPECT_EQ(HelpFilePath(bin), beside);  // neither: the path beside the program
    Touch(installed);
    EXPECT_EQ(HelpFilePath(bin), installed);
    Touch(beside);
    EXPECT_EQ(HelpFilePath(bin), beside);
    EXPECT_EQ(HelpFilePath(bin + QStringLiteral("/")), beside);
}

}  // namespace
