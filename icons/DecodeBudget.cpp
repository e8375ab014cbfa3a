#include "icons/DecodeBudget.h"

namespace {
constexpr std::size_t kSlack = 16u << 20;  // room for a few fully zero-filled 256-pixel images
constexpr std::size_t kFactor = 8;
}  // namespace

TDecodeBudget::TDecodeBudget(std::size_t sourceBytes) : left_(sourceBytes * kFactor + kSlack) {}

void TDecodeBudget::Charge(const TLoadedIconImage& image) {
    std::size_t size = image.ImageBits.size() + image.MaskBits.size();
    if (size > left_) throw TReadError("Image data exceeds what the file can hold");
    left_ -= size;
}
