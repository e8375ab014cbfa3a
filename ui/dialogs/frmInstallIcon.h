#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "writers/HicolorSizes.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The "Install as Desktop Icon" dialog: asks for the name an icon group is installed under in
// the user's hicolor theme (suggested from the source file's name) and lists the sizes it will
// write, each with the image it comes from. Install is enabled while the name can be used.
class TInstallIcon : public QDialog {
    Q_OBJECT
public:
    TInstallIcon(const std::vector<THicolorSize>& Sizes, const std::string& SourceFile,
                 const std::string& ThemeFolder, QWidget* parent = nullptr);

    // The name as typed.
    std::string IconName() const;

    QLineEdit* txtName;
    QLabel* lblFolder;
    QPlainTextEdit* memSizes;
    QPushButton* btnInstall;
    QPushButton* btnCancel;

private:
    void txtNameChange();
};

// One line per size: "22x22  scaled down from #1 32x32 32 bpp".
QString HicolorSizeLines(const std::vector<THicolorSize>& Sizes);

// Installs Image's icon group as a desktop icon: runs the dialog, writes the files into the
// user's hicolor theme and reports what was written (or why not) in a message.
void InstallAsDesktopIcon(QWidget* parent, TLoadedIconImage& Image);
