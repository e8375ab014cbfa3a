#include "cli/ExportManifest.h"

#include "cli/JsonWriter.h"

void PrintManifestLine(std::ostream& out, const TManifestEntry& entry) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("path");
    json.String(entry.Source);
    json.Key("resourceName");
    if (entry.ResourceName) {
        json.String(*entry.ResourceName);
    } else {
        json.Null();
    }
    json.Key("imageIndex");
    if (entry.ImageIndex) {
        json.Number(static_cast<long long>(*entry.ImageIndex));
    } else {
        json.Null();
    }
    json.Key("output");
    if (entry.Output) {
        json.String(*entry.Output);
        json.Key("md5");
        json.String(entry.Md5);
    } else {
        json.Null();
        json.Key("reason");
        json.String(entry.Reason);
    }
    json.EndObject();
    out << "\n";
}
