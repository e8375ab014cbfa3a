#include "ShellLinkBuilder.h"

namespace {

void Utf16(ByteBuilder& b, const std::string& text) {
    for (char c : text) b.U16(static_cast<std::uint8_t>(c));
}

void StringData(ByteBuilder& b, const std::optional<std::string>& text, bool unicode) {
    if (!text) return;
    b.U16(static_cast<std::uint16_t>(text->size()));
    unicode ? Utf16(b, *text) : void(b.Text(*text));
}

// A 0x314-byte environment block: the target as code-page text, then as UTF-16.
void EnvironmentBlock(ByteBuilder& b, std::uint32_t signature,
                      const std::optional<std::string>& target) {
    if (!target) return;
    std::size_t start = b.Size();
    b.U32(0x314).U32(signature).Text(*target).PadTo(start + 8 + 260);
    Utf16(b, *target);
    b.PadTo(start + 0x314);
}

}  // namespace

ByteString BuildShellLink(const ShellLinkSpec& shape) {
    std::uint32_t flags = (shape.idListSize ? 0x1 : 0) | (shape.localBasePath ? 0x2 : 0) |
                          (shape.relativePath ? 0x8 : 0) | (shape.iconLocation ? 0x40 : 0) |
                          (shape.unicode ? 0x80 : 0) | (shape.iconEnvironment ? 0x4000 : 0);
    ByteBuilder b;
    b.U32(0x4C).U32(0x00021401).U32(0).U32(0x000000C0).U32(0x46000000).U32(flags);
    b.PadTo(0x38).U32(static_cast<std::uint32_t>(shape.iconIndex)).PadTo(0x4C);
    if (shape.idListSize) b.U16(*shape.idListSize).Fill(*shape.idListSize);
    if (shape.localBasePath) {
        auto base = static_cast<std::uint32_t>(0x1C);
        auto suffix = static_cast<std::uint32_t>(base + shape.localBasePath->size() + 1);
        auto size = static_cast<std::uint32_t>(suffix + shape.commonPathSuffix.size() + 1);
        b.U32(size).U32(0x1C).U32(1).U32(0).U32(base).U32(0).U32(suffix);
        b.Text(*shape.localBasePath).U8(0).Text(shape.commonPathSuffix).U8(0);
    }
    StringData(b, shape.relativePath, shape.unicode);
    StringData(b, shape.iconLocation, shape.unicode);
    EnvironmentBlock(b, 0xA0000001, shape.environmentTarget);
    EnvironmentBlock(b, 0xA0000007, shape.iconEnvironment);
    b.U32(0);
    return b.Bytes();
}
