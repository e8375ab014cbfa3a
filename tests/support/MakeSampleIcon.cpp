// Writes the sample icon file that the run script lists: three formats of one icon.
#include <fstream>
#include <iostream>

#include "IcoBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_icon FILE\n";
        return 2;
    }
    ByteString ico = BuildIco({EntryFor({16, 16, 4, 0x12, 0x00, true}),
                               EntryFor({32, 32, 8, 0x34, 0x00, true}),
                               EntryFor({48, 48, 32, 0x80, 0x00, true})});
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    return out ? 0 : 1;
}
