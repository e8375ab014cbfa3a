#include "icons/IcoReader.h"

#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget) {
    ByteReader data(Content);
    data.Skip(4);  // reserved and type words: icons and cursors are read alike
    std::uint16_t count = data.U16();
    if (count == 0) count = 1;
    std::size_t first = Icon.Images.size();
    for (std::uint16_t i = 0; i < count; ++i) {
        Budget.ChargeEntry(Icon.AddImage(Icon.ReadDirEntry(data, false)));
    }
    Icon.ImageCount = static_cast<std::int32_t>(Icon.Images.size());

    // Only the images of this directory: earlier ones came from another chunk.
    for (std::size_t i = Icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *Icon.Images[i];
        image.DecodeImage(Content, false);  // an all-zero image stays in the list
        Budget.Charge(image);
        Icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content) {
    TDecodeBudget budget(Content.size());
    ReadIconDirectory(Icon, Content, budget);
}

std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName) {
    TFileBytes file(FileName);
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    if (file.Size() > 0) ReadIconDirectory(*icon, file.All());
    return icon;
}
