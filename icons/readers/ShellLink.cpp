#include "icons/readers/ShellLink.h"

#include <algorithm>
#include <array>

#include "icons/ResourceName.h"

namespace {

constexpr std::array<std::uint8_t, 20> kHeaderStart = {
    0x4C, 0, 0, 0, 0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::size_t kIconIndexAt = 0x38;

enum : std::uint32_t {
    kHasIdList = 0x1,
    kHasLinkInfo = 0x2,
    kHasIconLocation = 0x40,
    kIsUnicode = 0x80,
    kHasExpIcon = 0x4000,
};
// The string data present for these flags, in the order stored: name, relative path, working
// folder, arguments, icon location.
constexpr std::uint32_t kStringFlags[] = {0x4, 0x8, 0x10, 0x20, 0x40};
constexpr std::size_t kRelativePath = 1;
constexpr std::size_t kIconLocation = 4;

constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kIconEnvironmentBlock = 0xA0000007;
constexpr std::size_t kAnsiTargetAt = 8;
constexpr std::size_t kTargetChars = 260;
constexpr std::size_t kUnicodeTargetAt = kAnsiTargetAt + kTargetChars;

// Link info: its header's size, flags, and where its strings start.
constexpr std::size_t kInfoHeaderSizeAt = 4;
constexpr std::size_t kInfoFlagsAt = 8;
constexpr std::size_t kLocalBasePathAt = 0x10;
constexpr std::size_t kCommonPathSuffixAt = 0x18;
constexpr std::size_t kUnicodeLocalBasePathAt = 0x1C;
constexpr std::size_t kUnicodeCommonPathSuffixAt = 0x20;
constexpr std::size_t kUnicodeHeaderSize = 0x24;
constexpr std::uint32_t kHasLocalBasePath = 0x1;

// Code-page text as UTF-8, read as Windows-1252 where it is not UTF-8 already.
std::string AnsiText(ByteView text) {
    return ReadableName({reinterpret_cast<const char*>(text.data()), text.size()});
}

// A string ended by a zero unit of `unit` bytes (1 for code-page text, 2 for UTF-16), starting
// at `at`; an empty string when `at` is 0 (not given).
std::string ZeroEnded(ByteView data, std::size_t at, std::size_t unit, const char* what) {
    if (at == 0) return {};
    for (std::size_t end = at; end + unit <= data.size(); end += unit) {
        bool zero = data[end] == 0 && (unit == 1 || data[end + 1] == 0);
        if (!zero) continue;
        ByteView text = Slice(data, at, end - at, what);
        return unit == 1 ? AnsiText(text) : Utf16ToUtf8(text);
    }
    throw TReadError(std::string(what) + " runs past its end");
}

// LocalBasePath + CommonPathSuffix, their Unicode forms when the header holds them.
std::string LocalPath(ByteView info) {
    if (!(ReadU32At(info, kInfoFlagsAt, "the link info") & kHasLocalBasePath)) return {};
    const char* what = "the link info's local path";
    if (ReadU32At(info, kInfoHeaderSizeAt, "the link info") >= kUnicodeHeaderSize) {
        std::string base = ZeroEnded(info, ReadU32At(info, kUnicodeLocalBasePathAt, what), 2, what);
        if (!base.empty())
            return base +
                   ZeroEnded(info, ReadU32At(info, kUnicodeCommonPathSuffixAt, what), 2, what);
    }
    return ZeroEnded(info, ReadU32At(info, kLocalBasePathAt, what), 1, what) +
           ZeroEnded(info, ReadU32At(info, kCommonPathSuffixAt, what), 1, what);
}

// The target of an environment variable block: its Unicode form, else its code-page form.
std::string BlockTarget(ByteView block) {
    const char* what = "an environment block";
    ByteView unicode = Slice(block, kUnicodeTargetAt, kTargetChars * 2, what);
    ByteView ansi = Slice(block, kAnsiTargetAt, kTargetChars, what);
    auto units = unicode.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        if (unicode[2 * i] == 0 && unicode[2 * i + 1] == 0) {
            units = i;
            break;
        }
    }
    if (units > 0) return Utf16ToUtf8(unicode.first(units * 2));
    auto end = std::find(ansi.begin(), ansi.end(), 0);
    return AnsiText(ansi.first(static_cast<std::size_t>(end - ansi.begin())));
}

struct TLinkParts {
    std::uint32_t Flags = 0;
    std::string LocalPath;
    std::string Strings[std::size(kStringFlags)];
    std::string EnvironmentTarget;
    std::string IconEnvironment;
};

// The string data after the header, ID list and link info; returns where the extra data starts.
std::size_t ReadStrings(ByteView link, std::size_t at, TLinkParts& parts) {
    std::size_t unit = parts.Flags & kIsUnicode ? 2 : 1;
    for (std::size_t i = 0; i < std::size(kStringFlags); ++i) {
        if (!(parts.Flags & kStringFlags[i])) continue;
        const char* what = i == kIconLocation ? "the icon location string" : "the string data";
        std::size_t length = ReadU16At(link, at, what) * unit;
        ByteView text = Slice(link, at + 2, length, what);
        parts.Strings[i] = unit == 2 ? Utf16ToUtf8(text) : AnsiText(text);
        at += 2 + length;
    }
    return at;
}

// The environment blocks among the extra data blocks; ends at a terminal block (size below 4).
void ReadExtraData(ByteView link, std::size_t at, TLinkParts& parts) {
    while (at + 4 <= link.size()) {
        std::uint32_t size = ReadU32At(link, at, "the extra data");
        if (size < 8) return;
        ByteView block = Slice(link, at, size, "an extra data block");
        std::uint32_t signature = ReadU32At(block, 4);
        if (signature == kEnvironmentBlock) parts.EnvironmentTarget = BlockTarget(block);
        if (signature == kIconEnvironmentBlock) parts.IconEnvironment = BlockTarget(block);
        at += size;
    }
}

TLinkParts ReadParts(ByteView link) {
    TLinkParts parts;
    parts.Flags = ReadU32At(Slice(link, 0, kHeaderSize, "the shell link header"), kFlagsAt);
    std::size_t at = kHeaderSize;
    if (parts.Flags & kHasIdList) at += 2 + ReadU16At(link, at, "the ID list");
    if (parts.Flags & kHasLinkInfo) {
        ByteView info = Slice(link, at, ReadU32At(link, at, "the link info"), "the link info");
        parts.LocalPath = LocalPath(info);
        at += info.size();
    }
    ReadExtraData(link, ReadStrings(link, at, parts), parts);
    return parts;
}

// The link's target when it names no icon location.
std::string TargetPath(const TLinkParts& parts) {
    if (!parts.LocalPath.empty()) return parts.LocalPath;
    if (!parts.EnvironmentTarget.empty()) return parts.EnvironmentTarget;
    return parts.Strings[kRelativePath];
}

}  // namespace

bool IsShellLink(ByteView Head) {
    return Head.size() >= kHeaderStart.size() &&
           std::equal(kHeaderStart.begin(), kHeaderStart.end(), Head.begin());
}

TShortcutIcon ReadShellLink(ByteView Link) {
    TLinkParts parts = ReadParts(Link);
    TShortcutIcon icon;
    icon.Index = static_cast<std::int32_t>(ReadU32At(Link, kIconIndexAt));
    if (parts.Flags & kHasExpIcon && !parts.IconEnvironment.empty())
        icon.WindowsPaths.push_back(parts.IconEnvironment);
    const std::string& location = parts.Strings[kIconLocation];
    std::string named =
        parts.Flags & kHasIconLocation && !location.empty() ? location : TargetPath(parts);
    if (!named.empty()) icon.WindowsPaths.push_back(named);
    if (!icon.WindowsPaths.empty()) return icon;
    if (parts.Flags & kHasIdList)
        throw TReadError("the shortcut names its target only by an ID list, which is not read");
    throw TReadError("the shortcut names neither an icon nor a target");
}
