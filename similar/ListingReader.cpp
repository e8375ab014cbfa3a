#include "similar/ListingReader.h"

#include <simdjson.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "similar/HexHash.h"
#include "similar/JsonString.h"

namespace ondemand = simdjson::ondemand;

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

// Why a line cannot be used, empty when it can.
using TReason = std::string;

TReason Because(simdjson::error_code error) {
    return std::string("not a JSON listing entry (") + simdjson::error_message(error) + ")";
}

}  // namespace

struct TListingReader::TState {
    ondemand::parser Parser;
    std::string Path, ResourceName, DhashImage, Dhash;
    std::vector<TReason> Reasons;

    bool String(ondemand::value value, std::string& out) {
        simdjson::ondemand::raw_json_string raw;
        return !value.get_raw_json_string().get(raw) && UnescapeJsonString(raw.raw(), out);
    }

    // One group object: its fields in any order, unknown ones skipped.
    TReason Group(ondemand::object group, const TGroupSink& onGroup) {
        ResourceName.clear();
        DhashImage = "pillow";
        bool hashed = false;
        for (auto member : group) {
            ondemand::field field;
            if (auto error = std::move(member).get(field)) return Because(error);
            ondemand::value value = field.value();
            if (field.key() == "resourceName") {
                if (!String(value, ResourceName)) return "a resourceName that is no string";
            } else if (field.key() == "dhashImage") {
                if (!String(value, DhashImage)) return "a dhashImage that is no string";
            } else if (field.key() == "dhash") {
                if (value.is_null().value_unsafe()) continue;
                if (!String(value, Dhash)) return "a dhash that is no string";
                hashed = true;
            }
        }
        if (!hashed) return "group \"" + ResourceName + "\" has no dhash";
        std::optional<std::uint64_t> hash = ParseHexHash(Dhash);
        if (!hash)
            return "group \"" + ResourceName + "\" has a dhash that is no 16-digit hex number";
        onGroup({Path, ResourceName, *hash, DhashImage});
        return {};
    }

    TReason Groups(ondemand::array groups, const TGroupSink& onGroup) {
        TReason first;
        for (auto element : groups) {
            ondemand::object group;
            if (auto error = std::move(element).get(group)) return Because(error);
            TReason reason = Group(group, onGroup);
            if (first.empty()) first = reason;
        }
        return first;
    }

    TReason Icon(ondemand::value icon, const TGroupSink& onGroup) {
        ondemand::object object;
        if (auto error = icon.get(object)) return Because(error);
        for (auto member : object) {
            ondemand::field field;
            if (auto error = std::move(member).get(field)) return Because(error);
            if (field.key() != "groups") continue;
            ondemand::array groups;
            if (auto error = field.value().get(groups)) return Because(error);
            return Groups(groups, onGroup);
        }
        return "no \"groups\" (not listed with --hash)";
    }

    TReason Line(const char* text, std::size_t length, std::size_t capacity,
                 const TGroupSink& onGroup) {
        ondemand::document document;
        ondemand::object entry;
        if (auto error = Parser.iterate(text, length, capacity).get(document))
            return Because(error);
        if (auto error = document.get_object().get(entry)) return Because(error);
        bool named = false;
        for (auto member : entry) {
            ondemand::field field;
            if (auto error = std::move(member).get(field)) return Because(error);
            if (field.key() == "path") {
                if (!String(field.value(), Path)) return "a path that is no string";
                named = true;
            } else if (field.key() == "icon") {
                if (!named) return "no \"path\" before \"icon\"";
                ondemand::value icon = field.value();
                if (icon.is_null().value_unsafe()) return {};  // a file without icons
                return Icon(icon, onGroup);
            }
        }
        return named ? "no \"icon\"" : "no \"path\"";
    }
};

TListingReader::TListingReader() : state_(std::make_unique<TState>()) {}
TListingReader::~TListingReader() = default;

std::size_t TListingReader::Read(std::FILE* File, const TGroupSink& OnGroup,
                                 const TBadLine& OnBad) {
    // Lines are cut from a buffer read a chunk at a time; the parser is handed each line with
    // the buffer's bytes after it as the padding simdjson reads past the end.
    std::vector<char> buffer(kChunk + simdjson::SIMDJSON_PADDING);
    std::size_t filled = 0, lineNumber = 0;
    bool ended = false;
    auto parse = [&](std::size_t start, std::size_t length) {
        ++lineNumber;
        TReason reason =
            state_->Line(buffer.data() + start, length, buffer.size() - start, OnGroup);
        if (!reason.empty()) OnBad(lineNumber, reason);
    };
    while (!ended) {
        std::size_t capacity = buffer.size() - simdjson::SIMDJSON_PADDING;
        std::size_t got = std::fread(buffer.data() + filled, 1, capacity - filled, File);
        if (got < capacity - filled) {
            if (std::ferror(File)) throw std::runtime_error(std::strerror(errno));
            ended = true;
        }
        filled += got;
        std::size_t start = 0;
        while (const void* end = std::memchr(buffer.data() + start, '\n', filled - start)) {
            auto at = static_cast<std::size_t>(static_cast<const char*>(end) - buffer.data());
            parse(start, at - start);
            start = at + 1;
        }
        if (ended && start < filled) {
            parse(start, filled - start);
            start = filled;
        }
        std::memmove(buffer.data(), buffer.data() + start, filled - start);
        filled -= start;
        if (filled == capacity) buffer.resize(buffer.size() + capacity);  // a line longer than it
    }
    return lineNumber;
}
