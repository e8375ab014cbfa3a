#include "icons/IconGroups.h"

#include <algorithm>

std::vector<TIconGroup> IconGroupsOf(const TLoadedIcon& Icon) {
    std::vector<TIconGroup> groups;
    for (const auto& image : Icon.Images) {
        if (!image->Group) continue;
        // A group's images are read one after the other, so a new record starts a new group.
        if (groups.empty() || groups.back().Record != image->Group.get()) {
            groups.push_back({image->Group.get(), image->ResourceName, {}});
        }
        groups.back().Images.push_back(image.get());
    }
    return groups;
}

void KeepImages(TLoadedIcon& Icon, const std::vector<const TLoadedIconImage*>& Kept) {
    std::erase_if(Icon.Images, [&](const auto& image) {
        return std::find(Kept.begin(), Kept.end(), image.get()) == Kept.end();
    });
    Icon.MaxWidth = Icon.MaxHeight = 0;
    for (const auto& image : Icon.Images)
        Icon.UpdateMaxSize(image->PixelWidth(), image->PixelHeight());
}
