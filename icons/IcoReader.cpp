#include "icons/IcoReader.h"

#include "icons/DecodeBudget.h"
#include "icons/FileContent.h"

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content) {
    ByteReader data(Content);
    data.Skip(4);  // reserved and type words: icons and cursors are read alike
    std::uint16_t count = data.U16();
    if (count == 0) count = 1;
    Icon.ImageCount = count;
    for (std::uint16_t i = 0; i < count; ++i) Icon.AddImage(Icon.ReadDirEntry(data, false));

    TDecodeBudget budget(Content.size());
    for (auto it = Icon.Images.rbegin(); it != Icon.Images.rend(); ++it) {
        TLoadedIconImage& image = **it;
        image.DecodeImage(Content, false);  // an all-zero image stays in the list
        budget.Charge(image);
        Icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName) {
    ByteString content = ReadFileContent(FileName);
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    if (!content.empty()) ReadIconDirectory(*icon, content);
    return icon;
}
