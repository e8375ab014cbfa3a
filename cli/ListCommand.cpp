#include "cli/ListCommand.h"

#include <memory>

#include "cli/CliMain.h"
#include "cli/JsonWriter.h"
#include "icons/LoadIcons.h"

namespace {

void WriteImageJson(JsonWriter& json, const TLoadedIconImage& image) {
    json.BeginObject();
    json.Key("resourceName");
    json.String(image.ResourceName);
    json.Key("width");
    json.Number(image.Width);
    json.Key("height");
    json.Number(image.Height);
    json.Key("colorCount");
    json.Number(image.ColorCount);
    json.Key("planes");
    json.Number(image.Planes);
    json.Key("bitCount");
    json.Number(image.BitCount);
    json.Key("bytesInRes");
    json.Number(image.BytesInRes);
    json.Key("imageOffset");
    json.Number(image.ImageOffset);
    json.Key("hasPalette");
    json.Bool(image.HasPalette);
    json.Key("isSystemIcon");
    json.Bool(image.IsSystemIcon);
    json.EndObject();
}

void WriteIconJson(JsonWriter& json, const TLoadedIcon& icon) {
    json.BeginObject();
    json.Key("imageCount");
    json.Number(icon.ImageCount);
    json.Key("maxWidth");
    json.Number(icon.MaxWidth);
    json.Key("maxHeight");
    json.Number(icon.MaxHeight);
    json.Key("images");
    json.BeginArray();
    for (const auto& image : icon.Images) WriteImageJson(json, *image);
    json.EndArray();
    json.EndObject();
}

void PrintJsonEntry(JsonWriter& json, const std::string& path, const TLoadedIcon* icon) {
    json.BeginObject();
    json.Key("path");
    json.String(path);
    json.Key("icon");
    if (icon) {
        WriteIconJson(json, *icon);
    } else {
        json.Null();
    }
    json.EndObject();
}

void PrintTextEntry(std::ostream& out, const std::string& path, const TLoadedIcon* icon) {
    if (!icon) {
        out << path << ": no icons\n";
        return;
    }
    if (icon->Images.empty()) out << path << ": 0 images\n";
    for (const auto& image : icon->Images) {
        out << path << "  " << (image->ResourceName.empty() ? "-" : image->ResourceName) << "  "
            << image->PixelWidth() << " x " << image->PixelHeight() << "  " << image->BitCount
            << " bpp\n";
    }
}

}  // namespace

int RunListCommand(const std::vector<std::string>& args, std::ostream& out) {
    bool json = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TUsageError("unknown option \"" + arg + "\"");
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) throw TUsageError("no paths given");

    // Each file is printed as soon as it is read, so memory holds one file's icons at a time.
    JsonWriter writer(out);
    if (json) {
        writer.BeginObject();
        writer.Key("files");
        writer.BeginArray();
    }
    for (const std::string& path : paths) {
        std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(path);
        if (json) {
            PrintJsonEntry(writer, path, icon.get());
        } else {
            PrintTextEntry(out, path, icon.get());
        }
    }
    if (json) {
        writer.EndArray();
        writer.EndObject();
        out << "\n";
    }
    return kExitOk;
}
