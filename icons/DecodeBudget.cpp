#include "icons/DecodeBudget.h"

namespace {
// PNG-stored images decode to several times their compressed size, and short bitmap images to
// zero rows; both are real, so the allowance is generous, but a directory that repeats one
// image thousands of times still fails early.
constexpr std::size_t kSlack = 64u << 20;
constexpr std::size_t kFactor = 16;
}  // namespace

TDecodeBudget::TDecodeBudget(std::size_t sourceBytes) : left_(sourceBytes * kFactor + kSlack) {}

void TDecodeBudget::ChargeEntry(const TLoadedIconImage& image) {
    Spend(sizeof(TLoadedIconImage) + image.ResourceName.size());
}

void TDecodeBudget::Charge(const TLoadedIconImage& image) {
    Spend(image.DecodedSize());
}

void TDecodeBudget::Spend(std::size_t bytes) {
    if (bytes > left_) throw TReadError("Image data exceeds what the file can hold");
    left_ -= bytes;
}
