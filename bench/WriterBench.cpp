// Saving one image as GIF (colour reduction, dithering and LZW) and as PNG (libpng), for a
// 48 x 48 and a 255 x 255 32-bit image with a smooth gradient, a partly transparent edge and
// noise, so that the quantiser sees thousands of colours. Reports images saved per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ImageBuilder.h"
#include "TempDir.h"
#include "writers/GifWriter.h"
#include "writers/PngUnit.h"

namespace {

std::unique_ptr<TLoadedIconImage> GradientImage(int size) {
    auto image = MakeImage(size, size, 32);
    std::uint32_t noise = 12345;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            noise = noise * 1103515245u + 12345u;
            auto n = static_cast<int>((noise >> 16) & 15u);
            auto red = static_cast<std::uint8_t>(x * 255 / size);
            auto green = static_cast<std::uint8_t>(y * 255 / size);
            auto blue = static_cast<std::uint8_t>((x + y) * 127 / size + n);
            auto alpha = static_cast<std::uint8_t>(x < size / 8 ? x * 255 / (size / 8 + 1) : 255);
            SetRgba(*image, x, y, red, green, blue, alpha);
            SetMaskBit(*image, x, y, alpha == 0);
        }
    }
    return image;
}

template <typename Save>
void SaveRepeatedly(benchmark::State& state, Save save, const char* extension) {
    TempDir dir;
    auto image = GradientImage(static_cast<int>(state.range(0)));
    std::string name = (dir.Path() / (std::string("image.") + extension)).string();
    for (auto _ : state) save(*image, name, TColor{0, 128, 128});
    state.SetItemsProcessed(state.iterations());
}

void BM_SaveImageAsGif(benchmark::State& state) {
    SaveRepeatedly(state, SaveImageAsGif, "gif");
}

void BM_SaveImageAsPng(benchmark::State& state) {
    SaveRepeatedly(state, SaveImageAsPng, "png");
}

}  // namespace

BENCHMARK(BM_SaveImageAsGif)->Arg(48)->Arg(255)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveImageAsPng)->Arg(48)->Arg(255)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
