#include "writers/HicolorSizes.h"

#include <algorithm>
#include <set>

#include "writers/DeepestImage.h"
#include "writers/ExportNaming.h"

namespace {

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

// The sizes of the group's square images, smallest first.
std::set<int> SquareSizes(const std::vector<TLoadedIconImage*>& group) {
    std::set<int> sizes;
    for (const TLoadedIconImage* image : group) {
        if (image->PixelWidth() == image->PixelHeight()) sizes.insert(image->PixelWidth());
    }
    return sizes;
}

}  // namespace

std::vector<THicolorSize> HicolorSizesOf(const std::vector<TLoadedIconImage*>& Group) {
    const std::set<int> sizes = SquareSizes(Group);
    std::vector<THicolorSize> chosen;
    for (int pixels : kHicolorAppSizes) {
        // The image of exactly this size, else the nearest larger one that is sound.
        for (auto size = sizes.lower_bound(pixels); size != sizes.end(); ++size) {
            if (TLoadedIconImage* image = DeepestOfSize(Group, *size)) {
                chosen.push_back({pixels, image});
                break;
            }
        }
    }
    return chosen;
}

std::vector<TLoadedIconImage*> GroupImagesOf(TLoadedIconImage& Image) {
    std::vector<TLoadedIconImage*> group;
    if (!Image.Owner) return {&Image};
    const std::string key = IconKey(Image);
    for (const auto& image : Image.Owner->Images) {
        if (IconKey(*image) == key) group.push_back(image.get());
    }
    return group;
}

bool IsHicolorName(std::string_view Name) {
    return !Name.empty() && std::all_of(Name.begin(), Name.end(), IsNameCharacter);
}

std::string SuggestedHicolorName(const std::string& FileName) {
    std::string name;
    bool gap = false;
    for (char c : SourceFileStem(FileName)) {
        if (!IsNameCharacter(c)) {
            gap = !name.empty();
            continue;
        }
        if (gap) name += '-';
        gap = false;
        name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name.empty() ? "icon" : name;
}
