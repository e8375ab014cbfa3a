#include "icons/readers/LooseImage.h"

#include "icons/PngStream.h"
#include "icons/ResourceName.h"

namespace {

// The directory byte of a side of 1 to 256 pixels (256 is stored as 0); false for others.
bool Side(std::uint32_t pixels, std::uint8_t& side) {
    if (pixels < 1 || pixels > 256) return false;
    side = static_cast<std::uint8_t>(pixels);
    return true;
}

}  // namespace

bool TakeBitmapSize(TLoadedIconImage& Image, ByteView Data) {
    if (IsPngStream(Data) || Data.size() < 12) return false;
    std::uint32_t width = ReadU32At(Data, 4);
    auto rows = static_cast<std::int32_t>(ReadU32At(Data, 8));
    std::uint32_t height = static_cast<std::uint32_t>(rows < 0 ? -(rows / 2) : rows / 2);
    std::uint8_t w = 0, h = 0;
    if (!Side(width, w) || !Side(height, h)) return false;
    Image.Width = w;
    Image.Height = h;
    return true;
}

std::unique_ptr<TLoadedIconImage> ReadLooseImage(ByteView Data, std::uint32_t Size,
                                                 std::uint64_t Held, std::uint16_t Id) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->ResourceName = ResourceNameText(TResourceId::Number(Id));
    image->ImageOffset = Id;
    image->BytesInRes = Size;
    image->Planes = 1;
    image->IsLoose = true;
    bool sized = TakeBitmapSize(*image, Data);
    if (Held < Size) {
        image->DecodeImage(Data, {Held, "cut"});
    } else {
        image->DecodeImage(Data, true);
    }
    if (!image->LoadDamage().empty()) return nullptr;
    if (IsPngStream(Data)) {
        const TPngHeader& png = image->PngHeader();
        sized = Side(png.Width, image->Width) && Side(png.Height, image->Height);
    }
    if (!sized) return nullptr;
    if (image->BitCount < 8) image->ColorCount = static_cast<std::uint8_t>(1u << image->BitCount);
    return image;
}
