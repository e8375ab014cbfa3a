#include "NeBuilder.h"

#include <algorithm>

namespace {

constexpr std::size_t kTableOffset = 0x40;  // resource table, relative to the NE header

// Every name string with its offset relative to the resource table.
std::vector<std::string> AllNames(const NeBuilder& ne) {
    std::vector<std::string> all = ne.names;
    for (const NeType& type : ne.types) {
        for (const NeResource& r : type.resources) {
            if (r.name && std::find(all.begin(), all.end(), *r.name) == all.end()) {
                all.push_back(*r.name);
            }
        }
    }
    return all;
}

std::size_t TypeTableSize(const NeBuilder& ne) {
    std::size_t size = 2 + (ne.terminate ? 2 : 0);
    for (const NeType& type : ne.types) size += 8 + 12 * type.resources.size();
    return size;
}

std::uint16_t NameOffset(const std::vector<std::string>& all, const std::string& name,
                         std::size_t stringsAt) {
    std::size_t at = stringsAt;
    for (const std::string& candidate : all) {
        if (candidate == name) break;
        at += 1 + candidate.size();
    }
    return static_cast<std::uint16_t>(at);
}

}  // namespace

ByteString NeBuilder::Build() const {
    std::vector<std::string> all = AllNames(*this);
    std::size_t stringsAt = TypeTableSize(*this);
    std::size_t tableEnd = stringsAt + 1;
    for (const std::string& name : all) tableEnd += 1 + name.size();

    std::size_t ne = headerField & 0xFFFF;
    std::size_t table = ne + kTableOffset;
    std::size_t unit = std::size_t{1} << shift;
    std::size_t dataAt = (table + tableEnd + unit - 1) / unit * unit;

    ByteBuilder b;
    b.Text("MZ").PadTo(0x3C).U32(headerField).PadTo(ne);
    b.Text("NE").PadTo(ne + 0x24).U16(static_cast<std::uint16_t>(kTableOffset)).PadTo(table);
    b.U16(shift);
    std::size_t next = dataAt;
    for (const NeType& type : types) {
        b.U16(type.typeId).U16(static_cast<std::uint16_t>(type.resources.size())).U32(0);
        for (const NeResource& r : type.resources) {
            std::size_t units = (r.data.size() + unit - 1) / unit;
            b.U16(r.offsetUnits.value_or(static_cast<std::uint16_t>(next / unit)));
            b.U16(r.lengthUnits.value_or(static_cast<std::uint16_t>(units)));
            b.U16(0x1C30);
            b.U16(r.name ? NameOffset(all, *r.name, stringsAt)
                         : static_cast<std::uint16_t>(0x8000 | r.id));
            b.U32(0);
            next += units * unit;
        }
    }
    if (terminate) b.U16(0);
    for (const std::string& name : all) b.U8(static_cast<std::uint8_t>(name.size())).Text(name);
    b.U8(0);
    b.PadTo(dataAt);
    for (const NeType& type : types) {
        for (const NeResource& r : type.resources) {
            b.Bytes(r.data).PadTo((b.Size() + unit - 1) / unit * unit);
        }
    }
    return b.Bytes();
}
