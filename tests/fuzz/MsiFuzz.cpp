// Writes arbitrary bytes to a file and reads it as an installer package, decoding every image:
// a package libmsi cannot read must give a reason, never a crash or a hang of this process.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

#include "icons/readers/MsiReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("marrowby-fuzz-msi-" + std::to_string(::getpid())))
                                        .string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        std::unique_ptr<TLoadedIcon> icon = ReadMsiFile(path);
        for (const auto& image : icon->Images) image->DisplayBits();
    } catch (const TReadError&) {
    }
    std::filesystem::remove(path);
    return 0;
}
