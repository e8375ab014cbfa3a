#include "hashes/LanczosResize.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

constexpr int kPrecisionBits = 32 - 8 - 2;
constexpr double kSupport = 3.0;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double Lanczos(double x) {
    return -3.0 <= x && x < 3.0 ? Sinc(x) * Sinc(x / 3) : 0.0;
}

// The taps of one output sample: the first input sample and the fixed-point weights.
struct TTaps {
    int First = 0;
    std::vector<std::int32_t> Weights;
};

std::int32_t FixedPoint(double weight) {
    double scaled = weight * (1 << kPrecisionBits);
    return static_cast<std::int32_t>(weight < 0 ? -0.5 + scaled : 0.5 + scaled);
}

std::vector<TTaps> ComputeTaps(int inSize, int outSize) {
    double scale = static_cast<double>(static_cast<float>(inSize)) / outSize;
    double filterScale = scale < 1.0 ? 1.0 : scale;
    double support = kSupport * filterScale;
    std::vector<TTaps> taps(static_cast<std::size_t>(outSize));
    for (int i = 0; i < outSize; ++i) {
        double center = (i + 0.5) * scale;
        int first = static_cast<int>(center - support + 0.5);
        if (first < 0) first = 0;
        int last = static_cast<int>(center + support + 0.5);
        if (last > inSize) last = inSize;
        std::vector<double> weights;
        double total = 0.0;
        for (int x = first; x < last; ++x) {
            double weight = Lanczos((x - center + 0.5) * (1.0 / filterScale));
            weights.push_back(weight);
            total += weight;
        }
        TTaps& tap = taps[static_cast<std::size_t>(i)];
        tap.First = first;
        for (double weight : weights)
            tap.Weights.push_back(FixedPoint(total != 0.0 ? weight / total : weight));
    }
    return taps;
}

std::uint8_t Clip(std::int64_t sum) {
    if (sum >= std::int64_t{1} << kPrecisionBits << 8) return 255;
    if (sum <= 0) return 0;
    return static_cast<std::uint8_t>(sum >> kPrecisionBits);
}

// One pass along x (horizontal) or y: each output sample sums its taps from the input.
TGreyImage Pass(const TGreyImage& in, int outSize, bool horizontal) {
    std::vector<TTaps> taps = ComputeTaps(horizontal ? in.Width : in.Height, outSize);
    TGreyImage out{horizontal ? outSize : in.Width, horizontal ? in.Height : outSize, {}};
    out.Pixels.resize(static_cast<std::size_t>(out.Width) * out.Height);
    for (int y = 0; y < out.Height; ++y) {
        for (int x = 0; x < out.Width; ++x) {
            const TTaps& tap = taps[static_cast<std::size_t>(horizontal ? x : y)];
            std::int64_t sum = 1 << (kPrecisionBits - 1);
            for (std::size_t k = 0; k < tap.Weights.size(); ++k) {
                int at = tap.First + static_cast<int>(k);
                sum += std::int64_t{horizontal ? in.At(at, y) : in.At(x, at)} * tap.Weights[k];
            }
            out.Pixels[static_cast<std::size_t>(y) * out.Width + x] = Clip(sum);
        }
    }
    return out;
}

}  // namespace

TGreyImage ResizeLanczos(const TGreyImage& Image, int Width, int Height) {
    TGreyImage out = Image;
    if (Width != out.Width) out = Pass(out, Width, true);
    if (Height != out.Height) out = Pass(out, Height, false);
    return out;
}
