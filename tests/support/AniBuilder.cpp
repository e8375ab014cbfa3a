#include "AniBuilder.h"

#include "IcoBuilder.h"

ByteString RiffChunk(std::string_view id, ByteView data, bool pad,
                     std::optional<std::uint32_t> length) {
    ByteBuilder b;
    b.Text(id).U32(length.value_or(static_cast<std::uint32_t>(data.size()))).Bytes(data);
    if (pad && data.size() % 2 == 1) b.U8(0);
    return b.Bytes();
}

ByteString ListChunk(std::string_view type, ByteView subChunks, bool pad) {
    ByteBuilder body;
    body.Text(type).Bytes(subChunks);
    return RiffChunk("LIST", body.Bytes(), pad);
}

ByteString AniHeaderChunk(std::uint32_t flags, std::uint32_t frames,
                          std::optional<std::uint32_t> steps) {
    ByteBuilder b;
    b.U32(36)
        .U32(frames)
        .U32(steps.value_or(frames))
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(1)
        .U32(10)
        .U32(flags);
    return RiffChunk("anih", b.Bytes());
}

ByteString FrameList(const std::vector<ByteString>& frames, bool pad) {
    ByteBuilder icons;
    for (const ByteString& frame : frames) icons.Bytes(RiffChunk("icon", frame, pad));
    return ListChunk("fram", icons.Bytes(), pad);
}

ByteString BuildAni(const std::vector<ByteString>& chunks) {
    ByteBuilder body;
    body.Text("ACON");
    for (const ByteString& chunk : chunks) body.Bytes(chunk);
    ByteBuilder b;
    b.Text("RIFF").U32(static_cast<std::uint32_t>(body.Size())).Bytes(body.Bytes());
    return b.Bytes();
}

ByteString BuildAniFromFrames(const std::vector<ByteString>& frames) {
    return BuildAni(
        {AniHeaderChunk(1, static_cast<std::uint32_t>(frames.size())), FrameList(frames)});
}

ByteString CursorFrame(std::uint8_t fill, std::uint16_t x, std::uint16_t y) {
    IcoEntry small = EntryFor({16, 16, 4, fill, 0, true});
    IcoEntry large = EntryFor({32, 32, 4, fill, 0, true});
    small.planes = large.planes = x;
    small.bitCount = large.bitCount = y;
    return BuildIco({small, large}, 2);
}
