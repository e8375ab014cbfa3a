#include "PeBuilder.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;

std::size_t DirectorySize(std::size_t entries) {
    return 16 + 8 * entries;
}

void DirectoryHeader(ByteBuilder& b, std::size_t named, std::size_t ids) {
    b.U32(0).U32(0).U16(4).U16(0);
    b.U16(static_cast<std::uint16_t>(named)).U16(static_cast<std::uint16_t>(ids));
}

struct TypeGroup {
    std::uint16_t type;
    std::vector<const PeResource*> resources;
};

std::vector<TypeGroup> GroupByType(const std::vector<PeResource>& resources) {
    std::vector<TypeGroup> types;
    for (const PeResource& r : resources) {
        auto it = std::find_if(types.begin(), types.end(),
                               [&](const TypeGroup& t) { return t.type == r.type; });
        if (it == types.end()) it = types.insert(types.end(), TypeGroup{r.type, {}});
        it->resources.push_back(&r);
    }
    return types;
}

}  // namespace

PeBuilder& PeBuilder::Add(std::uint16_t type, PeName name, std::vector<ByteString> languages) {
    resources_.push_back({type, std::move(name), std::move(languages)});
    return *this;
}

PeBuilder& PeBuilder::Icon(std::uint16_t id, ByteString image) {
    return Add(3, {id, std::nullopt}, {std::move(image)});
}

PeBuilder& PeBuilder::Group(PeName name, ByteString group) {
    return Add(14, std::move(name), {std::move(group)});
}

PeBuilder& PeBuilder::Cursor(std::uint16_t id, std::uint16_t hotX, std::uint16_t hotY,
                             ByteView image) {
    ByteBuilder b;
    b.U16(hotX).U16(hotY).Bytes(image);
    return Add(1, {id, std::nullopt}, {b.Bytes()});
}

PeBuilder& PeBuilder::CursorGroup(PeName name, ByteString group) {
    return Add(12, std::move(name), {std::move(group)});
}

PeBuilder& PeBuilder::ResourceVirtualSize(std::uint32_t size) {
    virtualSize_ = size;
    return *this;
}

PeBuilder& PeBuilder::ResourceSlack(std::uint32_t bytes) {
    slack_ = bytes;
    return *this;
}

// Layout: root, type directories, name directories, data entries, names, data.
namespace {

// Where each table of the resource section starts: root, type directories, name
// directories, data entries, name strings, data.
struct Layout {
    std::vector<TypeGroup> types;
    std::vector<const PeResource*> ordered;  // type-grouped, as every lower table is
    std::size_t nameDirs = 0, dataEntries = 0, strings = 0, blobs = 0;
};

Layout Plan(const std::vector<PeResource>& resources) {
    Layout l;
    l.types = GroupByType(resources);
    for (const TypeGroup& t : l.types) {
        l.ordered.insert(l.ordered.end(), t.resources.begin(), t.resources.end());
    }
    l.nameDirs = DirectorySize(l.types.size());
    for (const TypeGroup& t : l.types) l.nameDirs += DirectorySize(t.resources.size());
    l.dataEntries = l.nameDirs;
    for (const PeResource* r : l.ordered) l.dataEntries += DirectorySize(r->languages.size());
    l.strings = l.dataEntries;
    for (const PeResource* r : l.ordered) l.strings += 16 * r->languages.size();
    l.blobs = l.strings;
    for (const PeResource* r : l.ordered)
        l.blobs += r->name.name ? 2 + 2 * r->name.name->size() : 0;
    l.blobs = (l.blobs + 3) / 4 * 4;
    return l;
}

void WriteTypeAndNameLevels(ByteBuilder& b, const Layout& l) {
    DirectoryHeader(b, 0, l.types.size());
    std::size_t typeDir = DirectorySize(l.types.size());
    for (const TypeGroup& t : l.types) {
        b.U32(t.type).U32(kHighBit | static_cast<std::uint32_t>(typeDir));
        typeDir += DirectorySize(t.resources.size());
    }
    std::size_t langDir = l.nameDirs, stringAt = l.strings;
    for (const TypeGroup& t : l.types) {
        std::size_t named = std::count_if(t.resources.begin(), t.resources.end(),
                                          [](const PeResource* r) { return r->name.name; });
        DirectoryHeader(b, named, t.resources.size() - named);
        for (const PeResource* r : t.resources) {
            if (r->name.name) {
                b.U32(kHighBit | static_cast<std::uint32_t>(stringAt));
                stringAt += 2 + 2 * r->name.name->size();
            } else {
                b.U32(r->name.id);
            }
            b.U32(kHighBit | static_cast<std::uint32_t>(langDir));
            langDir += DirectorySize(r->languages.size());
        }
    }
}

void WriteLanguageLevelAndData(ByteBuilder& b, const Layout& l) {
    std::size_t entryAt = l.dataEntries;
    for (const PeResource* r : l.ordered) {
        DirectoryHeader(b, 0, r->languages.size());
        for (std::size_t lang = 0; lang < r->languages.size(); ++lang) {
            b.U32(static_cast<std::uint32_t>(0x409 + lang));
            b.U32(static_cast<std::uint32_t>(entryAt));
            entryAt += 16;
        }
    }
    std::size_t blobAt = l.blobs;
    for (const PeResource* r : l.ordered) {
        for (const ByteString& data : r->languages) {
            b.U32(static_cast<std::uint32_t>(PeBuilder::kResourceRva + blobAt));
            b.U32(static_cast<std::uint32_t>(data.size())).U32(0).U32(0);
            blobAt = (blobAt + data.size() + 3) / 4 * 4;
        }
    }
    for (const PeResource* r : l.ordered) {
        if (!r->name.name) continue;
        b.U16(static_cast<std::uint16_t>(r->name.name->size()));
        for (char c : *r->name.name) b.U16(static_cast<std::uint8_t>(c));
    }
    b.PadTo(l.blobs);
    for (const PeResource* r : l.ordered) {
        for (const ByteString& data : r->languages) b.Bytes(data).PadTo((b.Size() + 3) / 4 * 4);
    }
}

}  // namespace

ByteString PeBuilder::ResourceSection() const {
    Layout layout = Plan(resources_);
    ByteBuilder b;
    WriteTypeAndNameLevels(b, layout);
    WriteLanguageLevelAndData(b, layout);
    b.Fill(slack_);
    return b.Bytes();
}

void PeBuilder::WriteHeaders(ByteBuilder& b, std::uint32_t rawSize) const {
    b.Text("MZ").PadTo(0x3C).U32(0x80).PadTo(0x80);
    std::uint16_t optionalSize = pe32Plus_ ? 240 : 224;
    b.Text(std::string_view("PE\0\0", 4)).U16(pe32Plus_ ? 0x8664 : 0x14C).U16(2);
    b.U32(0).U32(0).U32(0).U16(optionalSize).U16(0x2102);
    std::size_t optional = b.Size();
    b.U16(pe32Plus_ ? 0x20B : 0x10B);
    std::size_t directories = optional + (pe32Plus_ ? 108 : 92);
    b.PadTo(directories).U32(16);
    b.Fill(8 * 2).U32(kResourceRva).U32(rawSize);  // entry 2: the resource directory
    b.PadTo(optional + optionalSize);
    b.Text(".text").PadTo(b.Size() + 3).U32(0x200).U32(0x1000).U32(0x200).U32(0x400);
    b.Fill(16);
    b.Text(".rsrc").PadTo(b.Size() + 3).U32(virtualSize_.value_or(rawSize)).U32(kResourceRva);
    b.U32(rawSize).U32(kResourceFileOffset).Fill(16);
}

ByteString PeBuilder::Build() const {
    ByteString section = ResourceSection();
    ByteBuilder b;
    WriteHeaders(b, static_cast<std::uint32_t>(section.size()));
    b.PadTo(kResourceFileOffset).Bytes(section);
    return b.Bytes();
}
