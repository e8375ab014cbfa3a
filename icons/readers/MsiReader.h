#pragma once

#include <memory>
#include <string>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// Reads the icons of a Windows Installer package (.msi). Each row of its Icon table is one
// group named by the row's Name when its stream is an icon file; when the stream is an
// executable, each of its icon groups becomes a group named "Name/#101" and so on. Icon files
// among the streams of the Binary table follow as groups of their own (executables there are
// custom-action libraries and are skipped). The group that the ARPPRODUCTICON property names
// comes first: it is the main icon. A row whose stream cannot be read, is too large or is
// neither an icon nor an executable names itself in the icon's Damage. Throws TReadError when
// the database cannot be read or holds no icon; with MSI support left out of the build, every
// package gives "MSI support not built".
std::unique_ptr<TLoadedIcon> ReadMsiFile(const std::string& FileName,
                                         const TLoadOptions& Options = {});
