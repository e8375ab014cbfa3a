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

ByteString BuildShellLink(const ShellLinkSpec& spec) {
    std::uint32_t flags = (spec.idListSize ? 0x1 : 0) | (spec.localBasePath ? 0x2 : 0) |
                          (spec.relativePath ? 0x8 : 0) | (spec.iconLocation ? 0x40 : 0) |
                          (spec.unicode ? 0x80 : 0) | (spec.iconEnvironment ? 0x4000 : 0);
    ByteBuilder b;
    b.U32(0x4C).U32(0x00021401).U32(0).U32(0x000000C0).U32(0x46000000).U32(flags);
    b.PadTo(0x38).U32(static_cast<std::uint32_t>(spec.iconIndex)).PadTo(0x4C);
    if (spec.idListSize) b.U16(*spec.idListSize).Fill(*spec.idListSize);
    if (spec.localBasePath) {
        auto base = static_cast<std::uint32_t>(0x1C);
        auto suffix = static_cast<std::uint32_t>(base + spec.localBasePath->size() + 1);
        auto size = static_cast<std::uint32_t>(suffix + spec.commonPathSuffix.size() + 1);
        b.U32(size).U32(0x1C).U32(1).U32(0).U32(base).U32(0).U32(suffix);
        b.Text(*spec.localBasePath).U8(0).Text(spec.commonPathSuffix).U8(0);
    }
    StringData(b, spec.relativePath, spec.unicode);
    StringData(b, spec.iconLocation, spec.unicode);
    EnvironmentBlock(b, 0xA0000001, spec.environmentTarget);
    EnvironmentBlock(b, 0xA0000007, spec.iconEnvironment);
    b.U32(0);
    return b.Bytes();
}
