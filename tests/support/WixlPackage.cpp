#include "WixlPackage.h"

#include <cstdlib>
#include <fstream>

namespace {

// The rows as elements whose streams come from files written beside the .wxs.
std::string Rows(const TempDir& dir, const char* element, const std::vector<MsiRow>& rows) {
    std::string xml;
    for (const MsiRow& row : rows) {
        std::string file = std::string(element) + "-" + row.name;  // wixl takes relative paths
        dir.Write(file, row.data);
        xml +=
            "<" + std::string(element) + " Id=\"" + row.name + "\" SourceFile=\"" + file + "\"/>\n";
    }
    return xml;
}

}  // namespace

std::string BuildMsiWithWixl(const TempDir& dir, const std::vector<MsiRow>& icons,
                             const std::vector<MsiRow>& binaries, const std::string& productIcon) {
    std::string property = productIcon.empty()
                               ? ""
                               : "<Property Id=\"ARPPRODUCTICON\" Value=\"" + productIcon + "\"/>";
    std::string wxs = dir.Path() / "package.wxs";
    std::string msi = dir.Path() / "package.msi";
    std::ofstream(wxs) << R"(<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
<Product Id="*" Name="Icons" Language="1033" Version="1.0.0" Manufacturer="Tests"
         UpgradeCode="6B1D4E4A-4F0C-4C1E-9D8E-2F8D8C1A0B01">
<Package InstallerVersion="200" Compressed="yes"/>
)" + Rows(dir, "Icon", icons) +
                              Rows(dir, "Binary", binaries) + property + R"(
<Directory Id="TARGETDIR" Name="SourceDir"/>
<Feature Id="Main" Level="1"/>
</Product>
</Wix>
)";
    std::string command =
        "cd '" + dir.Path().string() + "' && wixl -o package.msi package.wxs >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? msi : std::string();
}
