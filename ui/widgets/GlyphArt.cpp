#include "ui/widgets/GlyphArt.h"

#include <stdexcept>

namespace {

struct TGlyphInk {
    char Pixel;
    unsigned Argb;
};

// k black, g grey, l light grey, w white, n navy, b dark blue, B blue, c pale cyan, y yellow,
// o brown, R red, G green, '.' transparent.
constexpr TGlyphInk kInks[] = {
    {'.', 0x00000000u}, {'k', 0xff000000u}, {'g', 0xff808080u}, {'l', 0xffc0c0c0u},
    {'w', 0xffffffffu}, {'n', 0xff1c2f7au}, {'b', 0xff123a8cu}, {'B', 0xff3a78e0u},
    {'c', 0xffa8e4ffu}, {'y', 0xfff2c84bu}, {'o', 0xff9a5b2au}, {'R', 0xffd21f1fu},
    {'G', 0xff1f9e34u},
};

}  // namespace

unsigned GlyphColor(char pixel) {
    for (const TGlyphInk& ink : kInks) {
        if (ink.Pixel == pixel) return ink.Argb;
    }
    throw std::logic_error("glyph pixel names no colour");
}

namespace {

// clang-format off
const TGlyphArt kSave = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".knwwwwwwwwwwnk.",
    ".knwwwwwwwwwwnk.",
    ".knwggggggggwnk.",
    ".knwwwwwwwwwwnk.",
    ".knwggggggggwnk.",
    ".knwwwwwwwwwwnk.",
    ".knnnnnnnnnnnnk.",
    ".knnllllllllnnk.",
    ".knnllkkllllnnk.",
    ".knnllkkllllnnk.",
    ".knnllkkllllnnk.",
    ".knnllllllllnnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

const TGlyphArt kCopy = {
    "kkkkkkkk........",
    "kwwwwwwk........",
    "kwggggwk........",
    "kwwwwwwk........",
    "kwgggkkkkkkkk...",
    "kwwwwkwwwwwwkk..",
    "kwgggkwggggwkwk.",
    "kwwwwkwwwwwwkkkk",
    "kwgggkwgggggggwk",
    "kwwwwkwwwwwwwwwk",
    "kkkkkkwgggggggwk",
    ".....kwwwwwwwwwk",
    ".....kwgggggggwk",
    ".....kwwwwwwwwwk",
    ".....kwwwwwwwwwk",
    ".....kkkkkkkkkkk",
};

const TGlyphArt kBackgroundColor = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kRRRRRRkyyyyyk.",
    ".kRRRRRRkyyyyyk.",
    ".kRRRRRRkyyyyyk.",
    ".kRRRRRRkyyyyyk.",
    ".kRRRRRRkyyyyyk.",
    ".kkkkkkkkkkkkkk.",
    ".kGGGGGGkBBBBBk.",
    ".kGGGGGGkBBBBBk.",
    ".kGGGGGGkBBBBBk.",
    ".kGGGGGGkBBBBBk.",
    ".kGGGGGGkBBBBBk.",
    ".kGGGGGGkBBBBBk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

const TGlyphArt kProperties = {
    "................",
    ".....bbbbbb.....",
    "...bbBBBBBBbb...",
    "..bBBBBwwBBBBb..",
    "..bBBBBwwBBBBb..",
    ".bBBBBBBBBBBBBb.",
    ".bBBBBwwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    "..bBBBBwwBBBBb..",
    "..bBBBwwwwBBBb..",
    "...bbBBBBBBbb...",
    ".....bbbbbb.....",
    "................",
    "................",
};

const TGlyphArt kExit = {
    "................",
    ".kkkkkkkk.......",
    ".kooooook.......",
    ".kooooook.......",
    ".kooooook...R...",
    ".kooooook...RR..",
    ".kooooook...RRR.",
    ".kooooyokRRRRRRR",
    ".kooooyokRRRRRRR",
    ".kooooook...RRR.",
    ".kooooook...RR..",
    ".kooooook...R...",
    ".kooooook.......",
    ".kooooook.......",
    ".kkkkkkkk.......",
    "................",
};

const TGlyphArt kScanFiles = {
    "................",
    ".kkkk...........",
    "kyyyyk..........",
    "kyyyyykkkkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyykkkkyk..",
    "kyyyyyykccwwkk..",
    "kyyyyyykcwwwkk..",
    "kyyyyyykwwwwkk..",
    "kyyyyyykwwwckk..",
    "kyyyyyyykkkkyk..",
    "kyyyyyyyyyykkk..",
    "kkkkkkkkkkkkkk..",
    ".............kk.",
    "..............kk",
    "................",
};

const TGlyphArt kScanSubdirectories = {
    "kkk.............",
    "kyykkkk.........",
    "kyyyyyk.........",
    "kyyyyyk.........",
    "kkkkkkk.........",
    "..g...kkk.......",
    "..g...kyykkkk...",
    "..ggggkyyyyyk...",
    "..g...kyyyyyk...",
    "..g...kkkkkkk...",
    "..g.............",
    "..g...kkk.......",
    "..g...kyykkkk...",
    "..ggggkyyyyyk...",
    "......kyyyyyk...",
    "......kkkkkkk...",
};

const TGlyphArt kAlwaysScan = {
    "................",
    ".kkkk...........",
    "kyyyyk..........",
    "kyyyyykkkkkkkk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyyk..",
    "kyyyyyyyyyyyykGG",
    "kyyyyyyyyyyyyGG.",
    "kyyyyyyyyyyyGG..",
    "kyyyyyGGyyyGGk..",
    "kyyyyyyGGyGGyk..",
    "kyyyyyyyGGGyyk..",
    "kkkkkkkkkGkkkk..",
    "................",
    "................",
    "................",
};

const TGlyphArt kLargeIcons = {
    "................",
    ".kkkkkk..kkkkkk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kkkkkk..kkkkkk.",
    "................",
    "................",
    ".kkkkkk..kkkkkk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kBBBBk..kBBBBk.",
    ".kkkkkk..kkkkkk.",
    "................",
};

const TGlyphArt kSmallIcons = {
    "................",
    "................",
    "................",
    ".BB.kkkk.BB.kkkk",
    ".BB......BB.....",
    "................",
    "................",
    ".BB.kkkk.BB.kkkk",
    ".BB......BB.....",
    "................",
    "................",
    ".BB.kkkk.BB.kkkk",
    ".BB......BB.....",
    "................",
    "................",
    "................",
};

const TGlyphArt kList = {
    "................",
    ".BB.kkkkkkkkk...",
    ".BB.............",
    "................",
    ".BB.kkkkkkkkk...",
    ".BB.............",
    "................",
    ".BB.kkkkkkkkk...",
    ".BB.............",
    "................",
    ".BB.kkkkkkkkk...",
    ".BB.............",
    "................",
    ".BB.kkkkkkkkk...",
    ".BB.............",
    "................",
};

const TGlyphArt kDetails = {
    "................",
    ".gggggggggggggg.",
    ".gggggggggggggg.",
    "................",
    ".BB.kkkkk.kk.kk.",
    ".BB.............",
    "................",
    ".BB.kkkkk.kk.kk.",
    ".BB.............",
    "................",
    ".BB.kkkkk.kk.kk.",
    ".BB.............",
    "................",
    ".BB.kkkkk.kk.kk.",
    ".BB.............",
    "................",
};

const TGlyphArt kFiltered = {
    "kkkkkkkkkkkkkkkkk",
    "kBBBBBBBBBBBBBBBk",
    ".kBBBBBBBBBBBBBk.",
    "..kBBBBBBBBBBBk..",
    "...kBBBBBBBBBk...",
    "....kBBBBBBBk....",
    ".....kBBBBBk.....",
    "......kBBBk......",
    "......kBBBk......",
    "......kBBBk......",
    "......kBBBk......",
    "......kBBBk......",
    "......kkkkk......",
};

const TGlyphArt kUnfiltered = {
    "kkkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwwk",
    ".kwwwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk..",
    "...kwwwwwwwwwk...",
    "....kwwwwwwwk....",
    ".....kwwwwwk.....",
    "......kwwwk......",
    "......kwwwk......",
    "......kwwwk......",
    "......kwwwk......",
    "......kwwwk......",
    "......kkkkk......",
};
// clang-format on

}  // namespace

const TGlyphArt& GlyphArt(TGlyph glyph) {
    switch (glyph) {
        case TGlyph::Save:
            return kSave;
        case TGlyph::Copy:
            return kCopy;
        case TGlyph::BackgroundColor:
            return kBackgroundColor;
        case TGlyph::Properties:
            return kProperties;
        case TGlyph::Exit:
            return kExit;
        case TGlyph::ScanFiles:
            return kScanFiles;
        case TGlyph::ScanSubdirectories:
            return kScanSubdirectories;
        case TGlyph::AlwaysScan:
            return kAlwaysScan;
        case TGlyph::LargeIcons:
            return kLargeIcons;
        case TGlyph::SmallIcons:
            return kSmallIcons;
        case TGlyph::List:
            return kList;
        case TGlyph::Details:
            return kDetails;
        case TGlyph::Filtered:
            return kFiltered;
        case TGlyph::Unfiltered:
            return kUnfiltered;
    }
    throw std::logic_error("unknown glyph");
}
