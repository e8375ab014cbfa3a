#include "icons/readers/AniReader.h"

#include <algorithm>
#include <string_view>

#include "icons/AniAnimation.h"
#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"
#include "icons/readers/IcoReader.h"

namespace {

constexpr std::size_t kAniHeaderSize = 36;
constexpr std::uint32_t kIconFramesFlag = 1;

bool IsId(ByteView bytes, std::string_view id) {
    return bytes.size() == id.size() && std::equal(id.begin(), id.end(), bytes.begin());
}

// One RIFF chunk: its id and its data. An odd-length chunk is followed by a pad byte, which
// is consumed with it; a length past the end of the data keeps what is there.
struct TChunk {
    ByteView Id;
    ByteReader Data;
};

TChunk NextChunk(ByteReader& data) {
    ByteView id = data.Take(4);
    std::uint32_t length = data.U32();
    ByteView body = data.TakeAtMost(length);
    if (length % 2 == 1) data.TakeAtMost(1);
    std::string what = "the \"" + std::string(id.begin(), id.end()) + "\" chunk";
    return {id, ByteReader(body, std::move(what))};
}

// The sub-chunks of a "fram" list: the icon chunks are frames, anything else is skipped.
// Trailing bytes too short for a sub-chunk header (a last one that would start on the list's
// final byte, for one) are not read. With firstOnly the list ends after its first frame. A
// frame cut short, or one whose directory is, ends the list: the frames before it are kept
// and the cut is named in the icon's Damage.
// Each frame's first image is noted in FrameStarts.
void ReadFrameList(ByteReader list, TLoadedIcon& icon, TAniAnimation& animation, bool firstOnly,
                   TDecodeBudget& budget) {
    int frames = 0;
    while (list.Has(8)) {
        bool isFrame = IsId(list.Take(4), "icon");
        std::uint32_t length = list.U32();
        std::string what = isFrame ? "frame " + std::to_string(++frames) : "the frame list";
        if (!list.Has(length))
            return icon.NoteDamage(CutShortReason(kFileEnds, what, list.Rest().size()));
        ByteView body = list.Take(length);
        if (length % 2 == 1) list.TakeAtMost(1);
        if (!isFrame) continue;
        const std::size_t first = icon.Images.size();
        try {
            ReadAniIconChunk(body, icon, budget);
        } catch (const TReadError& error) {
            return icon.NoteDamage(what + ": " + error.what());
        }
        animation.FrameStarts.push_back(first);
        if (firstOnly) return;
    }
}

// The 32-bit values of a "rate" or "seq " chunk; a trailing part of a value is dropped.
std::vector<std::uint32_t> ReadValues(ByteReader data) {
    std::vector<std::uint32_t> values;
    while (data.Has(4)) values.push_back(data.U32());
    return values;
}

}  // namespace

void ReadAniIconChunk(ByteView Chunk, TLoadedIcon& Icon, TDecodeBudget& Budget) {
    ReadIconDirectory(Icon, Chunk, Budget);
}

std::unique_ptr<TLoadedIcon> ReadAniData(ByteView Content, const std::string& FileName,
                                         const TLoadOptions& Options) {
    ByteReader file(Content);
    if (!file.Has(12) || !IsId(file.Take(4), "RIFF")) return nullptr;
    file.Skip(4);  // the RIFF size is often wrong and is not used
    if (!IsId(file.Take(4), "ACON")) return nullptr;

    TDecodeBudget budget(Content.size());
    std::unique_ptr<TLoadedIcon> result;
    auto animation = std::make_shared<TAniAnimation>();
    std::uint32_t steps = 0;
    while (!file.Empty()) {
        TChunk chunk = NextChunk(file);
        if (IsId(chunk.Id, "anih")) {
            ByteReader header(chunk.Data.Take(kAniHeaderSize));
            header.Skip(4);
            animation->Frames = header.U32();
            steps = header.U32();
            header.Skip(16);  // width, height, bit count, planes
            animation->DisplayRate = header.U32();
            if ((header.U32() & kIconFramesFlag) == 0) break;  // raw bitmap frames
        } else if (IsId(chunk.Id, "rate")) {
            animation->Rates = ReadValues(chunk.Data);
        } else if (IsId(chunk.Id, "seq ")) {
            animation->Sequence = ReadValues(chunk.Data);
        } else if (IsId(chunk.Id, "LIST") && IsId(chunk.Data.Take(4), "fram")) {
            // A later frame list replaces an earlier one.
            result = std::make_unique<TLoadedIcon>();
            result->FileName = FileName;
            animation->FrameStarts.clear();
            ReadFrameList(chunk.Data, *result, *animation, Options.FileIconOnly, budget);
        }
    }
    if (result) {
        SettleAnimation(*animation, steps);
        result->Animation = std::move(animation);
    }
    // Frames lost to a cut, and none before it: the cut is the file's reason.
    if (result && result->Images.empty() && !result->Damage.empty()) {
        throw TReadError(result->Damage);
    }
    return result;
}

std::unique_ptr<TLoadedIcon> ReadAniFile(const std::string& FileName, const TLoadOptions& Options) {
    TFileBytes file(FileName);
    return ReadAniData(file.All(), FileName, Options);
}
