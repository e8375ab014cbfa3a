#include "writers/IcnsWriter.h"

#include <array>
#include <map>

#include "writers/DeepestImage.h"
#include "writers/OutputFile.h"
#include "writers/PngUnit.h"
#include "writers/WriterError.h"

const char kIcnsNoSizeMessage[] =
    "No image of 16, 32, 64, 128, 256, 512 or 1024 pixels: an Apple icon image holds only "
    "these sizes";

namespace {

struct TIcnsType {
    char Code[5];
    int Pixels;
};

// The PNG element types in the order they are written: one per size, then the retina types,
// each holding an image of twice the size its name stands for.
constexpr std::array<TIcnsType, 11> kTypes{{{"icp4", 16},
                                            {"icp5", 32},
                                            {"icp6", 64},
                                            {"ic07", 128},
                                            {"ic08", 256},
                                            {"ic09", 512},
                                            {"ic10", 1024},
                                            {"ic11", 32},
                                            {"ic12", 64},
                                            {"ic13", 256},
                                            {"ic14", 512}}};

constexpr std::uint32_t kHeaderSize = 8;  // a block's type and its length, header included

void AppendHeader(ByteString& out, const char* code, std::size_t length) {
    out.insert(out.end(), code, code + 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(length >> shift));
}

// The PNG stream of each size that has an image, by size.
std::map<int, ByteString> StreamsBySize(const std::vector<TLoadedIconImage*>& images,
                                        TColor background) {
    std::map<int, ByteString> streams;
    for (const TIcnsType& type : kTypes) {
        if (streams.count(type.Pixels) > 0) continue;
        if (TLoadedIconImage* image = DeepestOfSize(images, type.Pixels))
            streams[type.Pixels] = ImagePngStream(*image, background);
    }
    return streams;
}

ByteString IcnsBytes(const std::map<int, ByteString>& streams) {
    ByteString toc;
    ByteString elements;
    for (const TIcnsType& type : kTypes) {
        auto stream = streams.find(type.Pixels);
        if (stream == streams.end()) continue;
        AppendHeader(toc, type.Code, kHeaderSize + stream->second.size());
        AppendHeader(elements, type.Code, kHeaderSize + stream->second.size());
        elements.insert(elements.end(), stream->second.begin(), stream->second.end());
    }
    ByteString file;
    AppendHeader(file, "icns", 2 * kHeaderSize + toc.size() + elements.size());
    AppendHeader(file, "TOC ", kHeaderSize + toc.size());
    file.insert(file.end(), toc.begin(), toc.end());
    file.insert(file.end(), elements.begin(), elements.end());
    return file;
}

}  // namespace

void WriteIcnsFile(const TOutputTarget& Target, const std::vector<TLoadedIconImage*>& Images,
                   TColor Background) {
    std::map<int, ByteString> streams = StreamsBySize(Images, Background);
    if (streams.empty()) throw TWriteError(kIcnsNoSizeMessage);
    WriteOutputFile(Target, IcnsBytes(streams), "Error Writing ICNS File!");
}

void SaveImageAsIcns(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background) {
    WriteIcnsFile(Target, {&Image}, Background);
}
