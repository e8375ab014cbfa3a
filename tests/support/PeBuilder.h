#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ByteBuilder.h"

// A resource name: a numeric id, or a string name when `name` is set.
struct PeName {
    std::uint16_t id = 0;
    std::optional<std::string> name;
};

// One resource: type, name and the data of each of its languages.
struct PeResource {
    std::uint16_t type = 0;
    PeName name;
    std::vector<ByteString> languages;
};

// Builds a PE32 or PE32+ image with a code section and a resource section. Resources keep
// the order they were added in, within their type; types keep the order of their first
// resource. The resource directory starts at kResourceFileOffset in the file.
class PeBuilder {
public:
    static constexpr std::uint32_t kResourceRva = 0x2000;
    static constexpr std::uint32_t kResourceFileOffset = 0x600;

    explicit PeBuilder(bool pe32Plus = false) : pe32Plus_(pe32Plus) {}

    PeBuilder& Add(std::uint16_t type, PeName name, std::vector<ByteString> languages);
    PeBuilder& Icon(std::uint16_t id, ByteString image);
    PeBuilder& Group(PeName name, ByteString group);
    // An RT_CURSOR resource: the hot spot, then the image; and an RT_GROUP_CURSOR resource.
    PeBuilder& Cursor(std::uint16_t id, std::uint16_t hotX, std::uint16_t hotY, ByteView image);
    PeBuilder& CursorGroup(PeName name, ByteString group);
    // The resource section's virtual size; by default its raw size, 0 means "use raw".
    PeBuilder& ResourceVirtualSize(std::uint32_t size);
    // Extra zero bytes of raw data after the resources.
    PeBuilder& ResourceSlack(std::uint32_t bytes);

    ByteString Build() const;

private:
    ByteString ResourceSection() const;
    void WriteHeaders(ByteBuilder& b, std::uint32_t rawSize) const;

    bool pe32Plus_;
    std::vector<PeResource> resources_;
    std::optional<std::uint32_t> virtualSize_;
    std::uint32_t slack_ = 0;
};
