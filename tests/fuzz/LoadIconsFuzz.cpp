// Writes arbitrary bytes to a file and loads it: the first byte picks the extension, and so
// the reader, and decodes every image. Neither may throw, crash or hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "icons/LoadIcons.h"

namespace {

const char* const kExtensions[] = {".ico", ".cur", ".ani", ".dll", ".exe", ".icl"};

std::filesystem::path InputFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("marrowby-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string path = (InputFolder() / "input").string() + kExtensions[data[0] % 6];
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    // Rows are decoded when first asked for; asking for the display rows decodes them all.
    if (auto icon = LoadIconsFromFile(path))
        for (const auto& image : icon->Images) image->DisplayBits();
    std::filesystem::remove(path);
    return 0;
}
