#include "cli/ListCommand.h"

#include <memory>

#include "cli/CliMain.h"
#include "cli/FileCollection.h"
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

struct TListOptions {
    bool json = false;
    TFileCollection files;
    std::vector<std::string> paths;
};

TListOptions ParseListOptions(const std::vector<std::string>& args) {
    TListOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (ParseFileCollectionOption(args, i, options.files)) {
            continue;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TUsageError("unknown option \"" + arg + "\"");
        } else {
            options.paths.push_back(arg);
        }
    }
    if (options.paths.empty()) throw TUsageError("no paths given");
    return options;
}

}  // namespace

int RunListCommand(const std::vector<std::string>& args, std::ostream& out) {
    TListOptions options = ParseListOptions(args);

    // Each file is printed as soon as it is read, so memory holds one file's icons at a time.
    JsonWriter writer(out);
    if (options.json) {
        writer.BeginObject();
        writer.Key("files");
        writer.BeginArray();
    }
    for (const std::string& path : options.paths) {
        for (const std::string& file : CollectFiles(path, options.files)) {
            std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(file);
            if (options.json) {
                PrintJsonEntry(writer, file, icon.get());
            } else {
                PrintTextEntry(out, file, icon.get());
            }
        }
    }
    if (options.json) {
        writer.EndArray();
        writer.EndObject();
        out << "\n";
    }
    return kExitOk;
}
