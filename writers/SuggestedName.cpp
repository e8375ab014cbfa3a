#include "writers/SuggestedName.h"

#include "writers/ExportNaming.h"

std::string SuggestedName(const TLoadedIconImage& Image, char Separator, bool WithSize) {
    const TNameParts parts = NamePartsOf(Image, 0);
    std::string name;
    for (const std::string* part :
         {&parts.File, &parts.Resource, WithSize ? &parts.Size : nullptr}) {
        if (!part || part->empty()) continue;
        if (!name.empty()) name += Separator;
        name += *part;
    }
    return name;
}
