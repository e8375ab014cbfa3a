#include "icons/readers/NeHeaders.h"

TNeNameInfo TNeNameInfo::Read(ByteView record) {
    TNeNameInfo read;
    read.Offset = ReadU16At(record, kOffsetAt);
    read.Length = ReadU16At(record, kLengthAt);
    read.Id = ReadU16At(record, kIdAt);
    return read;
}
