// The similarity search on a million dhashes, beside a plain brute-force scan in the same run:
// all pairs within 3 (`similar --clusters --max-distance 3`) and 1,000 queries at the default
// distance 4 (`similar --like`), each with its time and the peak memory it added; then the
// speed of reading `list --jsonl --hash` lines beside `wc -l` on the same file, warm cache.
// Two sets: a million random hashes, a tenth of them near-duplicates (1 to 3 bits changed);
// and Wine's folder dhashes repeated to a million with 1 to 3 bits flipped, as real dhashes
// crowd on near-blank values.
//     build-bench/bench/bench_similar [FOLDER]   (FOLDER default: Wine's x86_64 folder)
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <sys/resource.h>
#include <time.h>

#include "hashes/GroupHash.h"
#include "icons/DirectoryScan.h"
#include "icons/IconGroups.h"
#include "icons/LoadIcons.h"
#include "icons/PathList.h"
#include "similar/Clusters.h"
#include "similar/HashIndex.h"
#include "similar/HexHash.h"
#include "similar/ListingReader.h"
#include "similar/NearestMatches.h"

namespace {

constexpr std::size_t kHashes = 1'000'000;
constexpr std::size_t kQueries = 1000;

// Times are the processor time this process spent (it runs on one thread), so that other work
// on a busy machine does not count; `wc -l` is timed by the processor time of its child.
struct TClock {
    using duration = std::chrono::duration<double>;
    using time_point = std::chrono::time_point<TClock>;
    static time_point now() {
        timespec self{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &self);
        rusage used{};
        getrusage(RUSAGE_CHILDREN, &used);
        double seconds = static_cast<double>(self.tv_sec) +
                         static_cast<double>(self.tv_nsec) / 1e9 +
                         static_cast<double>(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
                         static_cast<double>(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
        return time_point(duration(seconds));
    }
};

double Seconds(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

double StatusMb(const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::strlen(key))) / 1024.0;
    }
    return 0;
}

// Memory added by a step: the peak resident size once it ran over the size before it (Linux:
// writing 5 to clear_refs resets the peak).
struct TPeak {
    double Before;
    TPeak() {
        std::ofstream("/proc/self/clear_refs") << "5";
        Before = StatusMb("VmRSS:");
    }
    double Added() const { return StatusMb("VmHWM:") - Before; }
};

std::uint64_t Flip(std::uint64_t hash, std::mt19937_64& random) {
    int bits = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < bits; ++i) hash ^= std::uint64_t{1} << (random() % 64);
    return hash;
}

std::vector<std::uint64_t> RandomSet(std::mt19937_64& random) {
    std::vector<std::uint64_t> hashes(kHashes * 9 / 10);
    for (auto& hash : hashes) hash = random();
    while (hashes.size() < kHashes)
        hashes.push_back(Flip(hashes[random() % hashes.size()], random));
    return hashes;
}

std::vector<std::uint64_t> WineSet(const std::string& folder, std::mt19937_64& random) {
    std::vector<std::uint64_t> bases;
    for (const std::string& file : BuildPathList(ListFolderTree(folder), "*.*")) {
        auto icon = LoadIconsFromFile(file);
        if (!icon) continue;
        for (const TIconGroup& group : IconGroupsOf(*icon)) {
            if (auto dhash = HashGroup(group).DifferenceHash)
                bases.push_back(*ParseHexHash(*dhash));
        }
    }
    std::printf("Wine set: %zu dhashes of %s, repeated with 1 to 3 bits flipped\n", bases.size(),
                folder.c_str());
    std::vector<std::uint64_t> hashes;
    if (bases.empty()) return hashes;
    while (hashes.size() < kHashes) hashes.push_back(Flip(bases[random() % bases.size()], random));
    return hashes;
}

THashCatalog CatalogOf(const std::vector<std::uint64_t>& hashes) {
    THashCatalog catalog;
    for (std::uint64_t hash : hashes) catalog.Add(hash, {}, {});
    catalog.Finish();
    return catalog;
}

// The brute-force scans get the population count instruction as the index does.
#define BRUTE_FORCE __attribute__((target_clones("popcnt", "default")))

// Brute force over all pairs is timed on the first rows and scaled to all n (n - 1) / 2 pairs.
BRUTE_FORCE double BruteForcePairsSeconds(std::span<const std::uint64_t> hashes, int k,
                                          std::size_t& pairs) {
    constexpr std::size_t kRows = 2000;
    auto start = TClock::now();
    pairs = 0;
    for (std::size_t i = 0; i < kRows; ++i) {
        for (std::size_t j = i + 1; j < hashes.size(); ++j) {
            pairs += std::popcount(hashes[i] ^ hashes[j]) <= k;
        }
    }
    double rowPairs = 0;
    for (std::size_t i = 0; i < kRows; ++i) rowPairs += static_cast<double>(hashes.size() - i - 1);
    double all = static_cast<double>(hashes.size()) * static_cast<double>(hashes.size() - 1) / 2;
    return Seconds(start) * all / rowPairs;
}

BRUTE_FORCE std::size_t BruteForceNear(std::span<const std::uint64_t> hashes,
                                       const std::vector<std::uint64_t>& queries, int k) {
    std::size_t found = 0;
    for (std::uint64_t query : queries) {
        for (std::uint64_t hash : hashes) found += std::popcount(hash ^ query) <= k;
    }
    return found;
}

void MeasureSet(const char* name, const std::vector<std::uint64_t>& hashes,
                std::mt19937_64& random) {
    std::printf("\n== %s: %zu hashes\n", name, hashes.size());
    TPeak peak;
    auto start = TClock::now();
    THashCatalog catalog = CatalogOf(hashes);
    TClusters clusters = SingleLinkageClusters(catalog, 3, false);
    double indexed = Seconds(start);
    std::printf(
        "clusters within 3, index:  %.3f s, %.1f MB added, %zu distinct, %zu clusters "
        "of 2 or more, biggest %u\n",
        indexed, peak.Added(), catalog.Distinct().size(), clusters.Count(),
        clusters.Count() ? clusters.Sizes[0] : 0u);
    std::size_t brutePairs = 0;
    double brute = BruteForcePairsSeconds(catalog.Distinct(), 3, brutePairs);
    std::printf(
        "clusters within 3, brute:  %.1f s (scaled from 2000 rows, %zu pairs there), "
        "0 MB added\n",
        brute, brutePairs);

    std::vector<std::uint64_t> queries(kQueries);
    for (auto& query : queries) query = Flip(hashes[random() % hashes.size()], random);
    TPeak queryPeak;
    start = TClock::now();
    THashIndex index(catalog.Distinct(), 4);
    double built = Seconds(start);
    start = TClock::now();
    std::size_t found = 0;
    for (std::uint64_t query : queries) {
        index.Near(query, [&](std::size_t, int) { ++found; });
    }
    double searched = Seconds(start);
    std::printf(
        "1000 queries within 4, index: %.3f ms a query (index built in %.3f s, "
        "%.1f MB added), %zu found\n",
        searched * 1000 / kQueries, built, queryPeak.Added(), found);
    start = TClock::now();
    std::size_t bruteFound = BruteForceNear(catalog.Distinct(), queries, 4);
    std::printf("1000 queries within 4, brute: %.3f ms a query, 0 MB added, %zu found%s\n",
                Seconds(start) * 1000 / kQueries, bruteFound,
                bruteFound == found ? "" : "  MISMATCH");
}

// A file of lines shaped like `list --jsonl --hash` output for one group and a 60-byte path.
std::string WriteListing(const std::vector<std::uint64_t>& hashes) {
    std::string path = (std::filesystem::temp_directory_path() / "bench-similar.jsonl").string();
    std::ofstream out(path);
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/data/samples/%02zx/%039zu.exe", i % 256, i);
        out << "{\"path\": \"" << name << "\", \"sha256\": \"" << std::string(64, 'a')
            << "\", \"icon\": {\"imageCount\": 1, \"maxWidth\": 32, \"maxHeight\": 32, \"images\": "
               "[{\"resourceName\": \"#1\", \"width\": 32, \"height\": 32, \"colorCount\": 0, "
               "\"planes\": 1, \"bitCount\": 32, \"bytesInRes\": 4264, \"imageOffset\": 0, "
               "\"hasPalette\": false, \"isSystemIcon\": false, \"md5\": \""
            << std::string(32, 'b') << "\"}], \"groups\": [{\"resourceName\": \"#1\", \"md5\": \""
            << std::string(32, 'c') << "\", \"dhash\": \"" << HexHash(hashes[i])
            << "\", \"dhashImage\": \"pillow\"}]}}\n";
    }
    return path;
}

void MeasureReading(const std::vector<std::uint64_t>& hashes) {
    std::string path = WriteListing(hashes);
    double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::string wc = "wc -l < " + path + " > /dev/null";
    double wcSeconds = 1e9;
    for (int run = 0; run < 3; ++run) {  // the first run warms the cache
        auto start = TClock::now();
        if (std::system(wc.c_str()) != 0) return;
        wcSeconds = std::min(wcSeconds, Seconds(start));
    }
    double readSeconds = 1e9;
    std::size_t groups = 0;
    for (int run = 0; run < 3; ++run) {
        TListingReader reader;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        groups = 0;
        auto start = TClock::now();
        reader.Read(
            file, [&](const TListedGroup&) { ++groups; }, [](std::size_t, const std::string&) {});
        readSeconds = std::min(readSeconds, Seconds(start));
        std::fclose(file);
    }
    std::printf("\n== reading %.0f MB of listing lines (%zu groups)\n", megabytes, groups);
    std::printf(
        "listing reader: %.3f s (%.0f MB/s)\nwc -l:          %.3f s (%.0f MB/s)\n"
        "reader / wc -l speed: %.2f\n",
        readSeconds, megabytes / readSeconds, wcSeconds, megabytes / wcSeconds,
        wcSeconds / readSeconds);
    std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    std::mt19937_64 random(26);
    std::vector<std::uint64_t> randomSet = RandomSet(random);
    MeasureSet("random hashes, 10% near-duplicates", randomSet, random);
    if (std::filesystem::is_directory(folder)) {
        MeasureSet("Wine's dhashes, 1 to 3 bits flipped", WineSet(folder, random), random);
    }
    MeasureReading(randomSet);
    return 0;
}
