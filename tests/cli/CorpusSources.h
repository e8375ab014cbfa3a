#pragma once

#include <string>

#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "PeBuilder.h"
#include "TempDir.h"

// A folder of sources that repeat images: app.dll holds the groups MAIN (images A and B),
// #101 (the same resources A and B) and #102 (a copy of A under its own id); dup.ico holds A
// and a 48 x 48 image C. Named groups come first, as resource compilers store them.
struct CorpusSources {
    TempDir dir;
    const DibSpec a{16, 16, 4, 0x12}, b{32, 32, 8, 0x34}, c{48, 48, 24, 0x56};

    CorpusSources() {
        PeBuilder pe;
        pe.Icon(1, MakeDib(a)).Icon(2, MakeDib(b)).Icon(3, MakeDib(a));
        const ByteString both = BuildIconGroup({GroupEntryFor(a, 1), GroupEntryFor(b, 2)});
        pe.Group({0, "MAIN"}, both).Group({101, {}}, both);
        pe.Group({102, {}}, BuildIconGroup({GroupEntryFor(a, 3)}));
        dir.Write("in/app.dll", pe.Build());
        dir.Write("in/dup.ico", BuildIco({EntryFor(a), EntryFor(c)}));
    }

    std::string Path(const std::string& relative) const { return (dir.Path() / relative).string(); }
};
