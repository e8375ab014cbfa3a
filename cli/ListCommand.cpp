#include "cli/ListCommand.h"

#include <CLI/CLI.hpp>

#include <memory>

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
    if (image.IsCursor) {  // only cursor images carry the key, so icon listings stay as they were
        json.Key("cursor");
        json.Bool(true);
    }
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
    bool Json = false;
    TFileCollection Files;
};

int RunList(const TListOptions& options, std::ostream& out) {
    // Each file is printed as soon as it is read, so memory holds one file's icons at a time.
    JsonWriter writer(out);
    if (options.Json) {
        writer.BeginObject();
        writer.Key("files");
        writer.BeginArray();
    }
    for (const std::string& path : options.Files.Paths) {
        for (const std::string& file : CollectFiles(path, options.Files)) {
            std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(file, options.Files.Load);
            if (options.Json) {
                PrintJsonEntry(writer, file, icon.get());
            } else {
                PrintTextEntry(out, file, icon.get());
            }
        }
    }
    if (options.Json) {
        writer.EndArray();
        writer.EndObject();
        out << "\n";
    }
    return kExitOk;
}

}  // namespace

TCliCommand AddListCommand(CLI::App& app) {
    auto options = std::make_shared<TListOptions>();
    CLI::App* command =
        app.add_subcommand("list",
                           "Read every PATH and print the icon images found in it; a "
                           "folder stands for its files that match the mask");
    command->add_flag("--json", options->Json, "Print one JSON document instead of text lines");
    AddFileCollectionOptions(*command, options->Files);
    return {command, [options](const TCliOutput& output) { return RunList(*options, output.Out); }};
}
