#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// One icon group as a `list --jsonl --hash` line gives it.
struct TListedGroup {
    std::string_view Path;
    std::string_view ResourceName;
    std::uint64_t Dhash = 0;
    std::string_view DhashImage;  // "pillow" when the listing does not name it
};

// Reads the JSON lines of `list --jsonl --hash` output with simdjson, taking from each line the
// path and, per group, its resource name, dhash and dhash choice. Files without icons (an "icon"
// of null) give nothing. A line that is no JSON object, an icon without "groups" (a listing
// without --hash) and a group without a dhash are bad: each is told to OnBad with its line
// number (from 1) and why; the line's sound groups are still given.
class TListingReader {
public:
    using TGroupSink = std::function<void(const TListedGroup&)>;
    using TBadLine = std::function<void(std::size_t, const std::string&)>;

    TListingReader();
    ~TListingReader();

    // Reads File to its end; returns the number of lines read. Throws std::runtime_error when
    // the file cannot be read.
    std::size_t Read(std::FILE* File, const TGroupSink& OnGroup, const TBadLine& OnBad);

private:
    struct TState;
    std::unique_ptr<TState> state_;
};
