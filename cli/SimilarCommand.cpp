#include "cli/SimilarCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

#include "cli/JsonWriter.h"
#include "hashes/GroupHash.h"
#include "icons/IconGroups.h"
#include "icons/LoadIcons.h"
#include "similar/Clusters.h"
#include "similar/HashIndex.h"
#include "similar/HexHash.h"
#include "similar/ListingReader.h"
#include "similar/NearestMatches.h"

namespace {

struct TSimilarOptions {
    std::vector<std::string> Listings;
    std::vector<std::string> Like;
    bool Clusters = false;
    bool All = false;
    int MaxDistance = 4;
    std::vector<std::string> Ignore;
    int MinBits = 0;
};

// What a run read and how it went: the catalog, the dhash choice of the input, and whether
// anything was bad.
struct TSimilarRun {
    const TSimilarOptions& Options;
    const TCliOutput& Output;
    THashCatalog Catalog;
    std::set<std::uint64_t> Ignored;
    std::set<std::string> Choices;
    int Code = kExitOk;

    void Bad(const std::string& where, const std::string& reason) {
        Output.Out << std::flush;
        Output.Err << "marrowby2-cli: " << where << ": " << reason << "\n";
        Code = kExitFailure;
    }
};

std::string Shown(const std::string& name) {
    return name == "-" ? "standard input" : name;
}

std::string Where(const std::string& name, std::size_t line) {
    return Shown(name) + ":" + std::to_string(line);
}

// Opens a listing, "-" standing for standard input; nothing (and the reason told) when it
// cannot be opened.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> OpenListing(TSimilarRun& run,
                                                            const std::string& name) {
    static auto keep = [](std::FILE*) { return 0; };
    if (name == "-") return {stdin, keep};
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) run.Bad(Shown(name), std::strerror(errno));
    return {file, file ? &std::fclose : keep};
}

// The dhashes listed in an ignore file, one a line; a line that is none is named.
void ReadIgnored(TSimilarRun& run, const std::string& name) {
    auto file = OpenListing(run, name);
    if (!file) return;
    char line[256];
    for (std::size_t number = 1; std::fgets(line, sizeof line, file.get()); ++number) {
        std::string_view text(line, std::strcspn(line, "\r\n"));
        if (std::optional<std::uint64_t> hash = ParseHexHash(text)) {
            run.Ignored.insert(*hash);
        } else {
            run.Bad(Where(name, number), "not a 16-digit hex dhash");
        }
    }
}

bool NearBlank(std::uint64_t hash, int minBits) {
    int set = std::popcount(hash);
    return set < minBits || 64 - set < minBits;
}

void ReadListing(TSimilarRun& run, TListingReader& reader, const std::string& name) {
    auto file = OpenListing(run, name);
    if (!file) return;
    auto group = [&](const TListedGroup& group) {
        run.Choices.insert(std::string(group.DhashImage));
        if (run.Ignored.count(group.Dhash) || NearBlank(group.Dhash, run.Options.MinBits)) return;
        run.Catalog.Add(group.Dhash, group.Path, group.ResourceName);
    };
    auto bad = [&](std::size_t line, const std::string& reason) {
        run.Bad(Where(name, line), reason);
    };
    try {
        if (reader.Read(file.get(), group, bad) == 0) run.Bad(Shown(name), "empty input");
    } catch (const std::runtime_error& error) {
        run.Bad(Shown(name), error.what());
    }
}

void WriteGroup(JsonWriter& json, const THashCatalog::TGroup& group) {
    json.Key("path");
    json.String(group.Path);
    json.Key("resourceName");
    json.String(group.ResourceName);
    json.Key("dhash");
    json.String(HexHash(group.Hash));
}

// The query's hashes: a hash as given, or those of a file's icon groups taken with the input's
// dhash choice.
std::vector<std::uint64_t> QueryHashes(TSimilarRun& run, const std::string& query,
                                       TDhashImage choice) {
    if (std::optional<std::uint64_t> hash = ParseHexHash(query)) return {*hash};
    std::vector<std::uint64_t> hashes;
    TLoadOutcome outcome = LoadIconsWithReason(query);
    if (!outcome.Icon) {
        run.Bad(query,
                "neither a 16-digit hex dhash nor a file with icons (" + outcome.Error + ")");
        return hashes;
    }
    for (const TIconGroup& group : IconGroupsOf(*outcome.Icon)) {
        std::optional<std::string> dhash = HashGroup(group, choice).DifferenceHash;
        if (dhash) hashes.push_back(*ParseHexHash(*dhash));
    }
    if (hashes.empty()) run.Bad(query, "no icon group with a dhash");
    return hashes;
}

void PrintLike(TSimilarRun& run, TDhashImage choice) {
    std::vector<std::uint64_t> queries;
    std::vector<std::uint32_t> queryOf;  // the argument each query hash came from
    for (std::uint32_t i = 0; i < run.Options.Like.size(); ++i) {
        for (std::uint64_t hash : QueryHashes(run, run.Options.Like[i], choice)) {
            queries.push_back(hash);
            queryOf.push_back(i);
        }
    }
    struct TFound {
        THashCatalog::TGroup Group;
        TNearMatch Match;
    };
    std::vector<TFound> found;
    for (const TNearMatch& match :
         NearestMatches(run.Catalog.Distinct(), run.Options.MaxDistance, queries)) {
        for (const THashCatalog::TGroup& group : run.Catalog.GroupsOf(match.Index)) {
            found.push_back({group, match});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const TFound& a, const TFound& b) {
        return a.Match.Distance != b.Match.Distance ? a.Match.Distance < b.Match.Distance
                                                    : a.Group.Position < b.Group.Position;
    });
    for (const TFound& item : found) {
        JsonWriter json(run.Output.Out);
        json.BeginObject();
        WriteGroup(json, item.Group);
        json.Key("distance");
        json.Number(item.Match.Distance);
        json.Key("query");
        json.String(run.Options.Like[queryOf[item.Match.Query]]);
        json.EndObject();
        run.Output.Out << "\n";
    }
}

void PrintClusters(TSimilarRun& run) {
    TClusters clusters =
        SingleLinkageClusters(run.Catalog, run.Options.MaxDistance, run.Options.All);
    for (std::size_t c = 0; c < clusters.Count(); ++c) {
        std::vector<THashCatalog::TGroup> members;
        for (std::uint32_t at = clusters.Starts[c]; at < clusters.Starts[c + 1]; ++at) {
            for (const auto& group : run.Catalog.GroupsOf(clusters.Members[at])) {
                members.push_back(group);
            }
        }
        std::sort(members.begin(), members.end(),
                  [](const auto& a, const auto& b) { return a.Position < b.Position; });
        JsonWriter json(run.Output.Out);
        json.BeginObject();
        json.Key("size");
        json.Number(static_cast<long long>(clusters.Sizes[c]));
        json.Key("members");
        json.BeginArray();
        for (const auto& member : members) {
            json.BeginObject();
            WriteGroup(json, member);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        run.Output.Out << "\n";
    }
}

void CheckOptions(const TSimilarOptions& options) {
    if (options.MaxDistance > THashIndex::kMaxDistance) {
        throw TUsageError("--max-distance " + std::to_string(options.MaxDistance) +
                          " is above 16: the blocks of the index would grow too short to tell "
                          "hashes apart, and a search would compare nearly every pair");
    }
    if (options.Like.empty() == !options.Clusters) {
        throw TUsageError("give either --like or --clusters");
    }
}

int RunSimilar(const TSimilarOptions& options, const TCliOutput& output) {
    CheckOptions(options);
    TSimilarRun run{options, output, {}, {}, {}, kExitOk};
    for (const std::string& name : options.Ignore) ReadIgnored(run, name);
    TListingReader reader;
    for (const std::string& name : options.Listings) ReadListing(run, reader, name);
    if (run.Choices.size() > 1) {
        run.Bad("similar",
                "the input mixes dhashes of --dhash-image pillow and cape, which do "
                "not compare; list every file with the same choice");
        return run.Code;
    }
    run.Catalog.Finish();
    TDhashImage choice = run.Choices.empty()
                             ? TDhashImage::Pillow
                             : DhashImageNamed(*run.Choices.begin()).value_or(TDhashImage::Pillow);
    if (options.Clusters) {
        PrintClusters(run);
    } else {
        PrintLike(run, choice);
    }
    output.Out << std::flush;
    return run.Code;
}

}  // namespace

TCliCommand AddSimilarCommand(CLI::App& app) {
    auto options = std::make_shared<TSimilarOptions>();
    CLI::App* command = app.add_subcommand(
        "similar",
        "Read the JSON lines of `list --jsonl --hash` (standard input when no LISTING is named) "
        "and print the icon groups whose dhash is near a query, or clusters of near groups");
    command->add_option("LISTING", options->Listings, "A file of JSON lines; - is standard input")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command
        ->add_option("--like", options->Like,
                     "Print every group within the distance of HASH (16 hex digits) or of the "
                     "icon groups of FILE, nearest first; repeatable")
        ->type_name("HASH|FILE")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command
        ->add_flag("--clusters", options->Clusters,
                   "Print the clusters of groups joined within the distance (single "
                   "linkage), biggest first")
        ->excludes("--like");
    command->add_flag("--all", options->All, "With --clusters, print clusters of one group too")
        ->needs("--clusters");
    command
        ->add_option("--max-distance", options->MaxDistance,
                     "The largest Hamming distance between near dhashes, 0 to 16 (default 4)")
        ->check(CLI::NonNegativeNumber);
    command
        ->add_option("--ignore", options->Ignore,
                     "Skip the dhashes listed in FILE, one a line (generic icons); repeatable")
        ->type_name("FILE")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command
        ->add_option("--min-bits", options->MinBits,
                     "Skip near-blank icons: dhashes with fewer than N bits set or unset")
        ->check(CLI::Range(0, 32));
    return {command, [options](const TCliOutput& output) {
                if (options->Listings.empty()) options->Listings.push_back("-");
                return RunSimilar(*options, output);
            }};
}
