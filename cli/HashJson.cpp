#include "cli/HashJson.h"

#include "hashes/Digest.h"
#include "hashes/FileDigest.h"

namespace {

void StringOrNull(JsonWriter& json, const std::optional<std::string>& value) {
    if (value) {
        json.String(*value);
    } else {
        json.Null();
    }
}

}  // namespace

void WriteFileHashJson(JsonWriter& json, const std::string& path) {
    json.Key("sha256");
    StringOrNull(json, FileSha256(path));
}

void WriteImageHashJson(JsonWriter& json, const TLoadedIconImage& image) {
    json.Key("md5");
    StringOrNull(json, image.IsSystemIcon
                           ? std::nullopt
                           : std::optional<std::string>(Md5Hex(image.StoredBytes())));
}

void WriteGroupHashesJson(JsonWriter& json, const TLoadedIcon& icon, TDhashImage choice) {
    json.Key("groups");
    json.BeginArray();
    for (const TIconGroup& group : IconGroupsOf(icon)) {
        TGroupHashes hashes = HashGroup(group, choice);
        json.BeginObject();
        json.Key("resourceName");
        json.String(group.ResourceName);
        json.Key("md5");
        json.String(hashes.Md5);
        json.Key("dhash");
        StringOrNull(json, hashes.DifferenceHash);
        json.Key("dhashImage");
        json.String(DhashImageName(choice));
        json.EndObject();
    }
    json.EndArray();
}
