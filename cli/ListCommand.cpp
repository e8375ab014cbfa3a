#include "cli/ListCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <sstream>

#include "cli/FileCollection.h"
#include "cli/GroupOptions.h"
#include "cli/HashJson.h"
#include "cli/JsonWriter.h"

namespace {

void WriteImageJson(JsonWriter& json, const TLoadedIconImage& image, bool hash) {
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
    if (!image.LoadDamage().empty()) {  // a listing decodes no pixels: what loading found
        json.Key("damaged");
        json.String(image.LoadDamage());
    }
    if (hash) WriteImageHashJson(json, image);
    json.EndObject();
}

struct TListOptions {
    bool Json = false;
    bool Hash = false;
    bool JsonLines = false;
    TDhashImage DhashImage = TDhashImage::Pillow;
    TFileCollection Files;
};

void WriteIconJson(JsonWriter& json, const TLoadedIcon& icon, const TListOptions& options) {
    bool hash = options.Hash;
    json.BeginObject();
    json.Key("imageCount");
    json.Number(icon.ImageCount);
    json.Key("maxWidth");
    json.Number(icon.MaxWidth);
    json.Key("maxHeight");
    json.Number(icon.MaxHeight);
    json.Key("images");
    json.BeginArray();
    for (const auto& image : icon.Images) WriteImageJson(json, *image, hash);
    json.EndArray();
    if (hash) WriteGroupHashesJson(json, icon, options.DhashImage);
    json.EndObject();
}

void PrintJsonEntry(JsonWriter& json, const TLoadOutcome& outcome, const TListOptions& options) {
    bool hash = options.Hash;
    json.BeginObject();
    json.Key("path");
    json.String(outcome.Path);
    if (hash) WriteFileHashJson(json, outcome.Path);
    json.Key("icon");
    if (outcome.Icon) {
        WriteIconJson(json, *outcome.Icon, options);
        if (!outcome.Icon->Damage.empty()) {  // whole entries were lost
            json.Key("damaged");
            json.String(outcome.Icon->Damage);
        }
    } else {
        json.Null();
        json.Key("error");
        json.String(outcome.Error);
    }
    json.EndObject();
}

// A name as a text line shows it: control characters written as \xHH, so that a name cannot
// break or rewrite the line.
std::string Printable(const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

void PrintTextEntry(std::ostream& out, const TLoadOutcome& outcome) {
    const std::string path = Printable(outcome.Path);
    if (!outcome.Icon) {
        out << path << ": no icons: " << Printable(outcome.Error) << "\n";
        return;
    }
    if (outcome.Icon->Images.empty()) out << path << ": 0 images\n";
    for (const auto& image : outcome.Icon->Images) {
        out << path << "  " << (image->ResourceName.empty() ? "-" : Printable(image->ResourceName))
            << "  " << image->PixelWidth() << " x " << image->PixelHeight() << "  "
            << image->BitCount << " bpp";
        if (!image->LoadDamage().empty()) out << "  damaged: " << image->LoadDamage();
        out << "\n";
    }
}

// A file's JSON entry, written on the worker thread that read it, so that hashing is spread
// over the threads as the reading is.
std::string JsonEntry(const TLoadOutcome& outcome, const TListOptions& options) {
    std::ostringstream text;
    JsonWriter json(text);
    PrintJsonEntry(json, outcome, options);
    return std::move(text).str();
}

// Files are read on worker threads and printed in path order as they come, so memory holds
// the icons of the files in flight only. With --jsonl each file's entry is a line of its own,
// flushed at once, so a pipe gets it while the run goes on. A file that cannot be reached or
// opened is named on stderr instead of a text line (the JSON entry is still printed) and makes
// the run fail.
int RunList(const TListOptions& options, const TCliOutput& output) {
    JsonWriter document(output.Out);
    if (options.Json) {
        document.BeginObject();
        document.Key("files");
        document.BeginArray();
    }
    int code = kExitOk;
    TGroupsFound groups(options.Files.Load.Groups);
    auto print = [&](TLoadOutcome&& outcome) {
        bool unreachable = IsAccessFailure(outcome.Error);
        if (unreachable) {
            output.Out << std::flush;
            output.Err << "marrowby2-cli: " << outcome.Path << ": " << outcome.Error << "\n";
            code = kExitFailure;
        }
        if (outcome.Icon) groups.Saw(*outcome.Icon);
        if (options.JsonLines) {
            output.Out << outcome.Prepared << "\n" << std::flush;
        } else if (options.Json) {
            document.Json(outcome.Prepared);
        } else if (!unreachable) {
            PrintTextEntry(output.Out, outcome);
        }
    };
    auto entry = [&options](const TLoadOutcome& outcome) { return JsonEntry(outcome, options); };
    bool json = options.Json || options.JsonLines;
    bool read = ReadCollection(options.Files, output, print,
                               json ? entry : std::function<std::string(const TLoadOutcome&)>{});
    if (options.Json) {
        document.EndArray();
        document.EndObject();
        output.Out << "\n";
    }
    output.Out << std::flush;
    return std::max({code, int{read ? kExitOk : kExitFailure}, groups.ReportMissing(output.Err)});
}

}  // namespace

TCliCommand AddListCommand(CLI::App& app) {
    auto options = std::make_shared<TListOptions>();
    CLI::App* command =
        app.add_subcommand("list",
                           "Read every PATH and print the icon images found in it; a "
                           "folder stands for its files that match the mask");
    command->add_flag("--json", options->Json, "Print one JSON document instead of text lines");
    command->add_flag("--hash", options->Hash,
                      "Give each JSON entry the file's SHA-256, each image the MD5 of its stored "
                      "bytes and the icon its groups with their MD5 and difference hash");
    command
        ->add_flag("--jsonl", options->JsonLines,
                   "Print each file's JSON entry on a line of its own, as soon as it is read")
        ->excludes("--json");
    command
        ->add_option_function<std::string>(
            "--dhash-image",
            [options](const std::string& name) { options->DhashImage = *DhashImageNamed(name); },
            "The image of each group its dhash is taken over: pillow (the one Pillow opens, the "
            "default) or cape (the one CAPE's sandbox picks)")
        ->check(CLI::IsMember({"pillow", "cape"}))
        ->needs("--hash");
    AddFileCollectionOptions(*command, options->Files);
    AddGroupOptions(*command, options->Files.Load.Groups);
    return {command, [options](const TCliOutput& output) {
                // A listing draws nothing; only hashing needs the images' whole bytes.
                options->Files.Load.HeadersOnly = !options->Hash;
                return RunList(*options, output);
            }};
}
