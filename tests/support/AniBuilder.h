#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "ByteBuilder.h"

// A RIFF chunk: id, length, data and, for an odd length, the pad byte unless `pad` is false.
// `length` replaces the stored length.
ByteString RiffChunk(std::string_view id, ByteView data, bool pad = true,
                     std::optional<std::uint32_t> length = std::nullopt);

// A LIST chunk of the given list type around already built sub-chunks.
ByteString ListChunk(std::string_view type, ByteView subChunks, bool pad = true);

// The 36-byte "anih" chunk; bit 0 of the flags says the frames are icons. Steps default to
// the frames; every step lasts 10 jiffies unless a "rate" chunk says otherwise.
ByteString AniHeaderChunk(std::uint32_t flags, std::uint32_t frames,
                          std::optional<std::uint32_t> steps = std::nullopt);

// A "LIST" chunk of type "fram" holding one "icon" sub-chunk per icon file.
ByteString FrameList(const std::vector<ByteString>& frames, bool pad = true);

// "RIFF", a size, "ACON", then the chunks.
ByteString BuildAni(const std::vector<ByteString>& chunks);

// A cursor frame of a 16 x 16 and a 32 x 32 image at 4 bits, filled with `fill`, whose hot spot
// (stored in the directory's planes and bit-count fields) is x, y.
ByteString CursorFrame(std::uint8_t fill, std::uint16_t x, std::uint16_t y);

// The usual animated cursor: an anih chunk with icon frames, then the frame list.
ByteString BuildAniFromFrames(const std::vector<ByteString>& frames);
