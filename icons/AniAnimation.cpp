#include "icons/AniAnimation.h"

#include <algorithm>

#include "icons/LoadedIcon.h"

namespace {

constexpr std::uint64_t kMillisecondsPerSecond = 1000;
constexpr std::uint64_t kJiffiesPerSecond = 60;
constexpr std::uint64_t kLongestStep = 3'600'000;  // an hour: a rate beyond is no animation

std::string ShortText(const char* chunk, std::size_t held, std::uint32_t steps) {
    return std::string("the \"") + chunk + "\" chunk holds " + std::to_string(held) + " of " +
           std::to_string(steps) + " steps";
}

}  // namespace

std::size_t TAniAnimation::Steps() const {
    return Sequence.empty() ? FrameStarts.size() : Sequence.size();
}

std::size_t TAniAnimation::StepFrame(std::size_t step) const {
    return Sequence.empty() ? step : Sequence.at(step);
}

int TAniAnimation::StepMilliseconds(std::size_t step) const {
    const std::uint32_t jiffies = step < Rates.size() ? Rates[step] : DisplayRate;
    return static_cast<int>(
        std::min(jiffies * kMillisecondsPerSecond / kJiffiesPerSecond, kLongestStep));
}

int TAniAnimation::TotalMilliseconds() const {
    int total = 0;
    for (std::size_t step = 0; step < Steps(); ++step) total += StepMilliseconds(step);
    return total;
}

TLoadedIconImage* FrameImage(const TLoadedIcon& icon, std::size_t frame,
                             const TLoadedIconImage& like) {
    const TAniAnimation* animation = icon.Animation.get();
    if (!animation || frame >= animation->FrameStarts.size()) return nullptr;
    const std::size_t first = animation->FrameStarts[frame];
    const std::size_t end = frame + 1 < animation->FrameStarts.size()
                                ? animation->FrameStarts[frame + 1]
                                : icon.Images.size();
    if (first >= end) return nullptr;
    for (std::size_t i = first; i < end; ++i) {
        TLoadedIconImage& image = *icon.Images[i];
        if (image.PixelWidth() == like.PixelWidth() && image.PixelHeight() == like.PixelHeight() &&
            image.BitCount == like.BitCount) {
            return &image;
        }
    }
    return icon.Images[first].get();
}

void SettleAnimation(TAniAnimation& animation, std::uint32_t steps) {
    const std::size_t frames = animation.FrameStarts.size();
    if (!animation.Sequence.empty()) {
        const auto missing = std::find_if(animation.Sequence.begin(), animation.Sequence.end(),
                                          [&](std::uint32_t frame) { return frame >= frames; });
        if (animation.Sequence.size() < steps) {
            animation.Problem = ShortText("seq ", animation.Sequence.size(), steps);
            animation.Sequence.clear();
        } else if (missing != animation.Sequence.end()) {
            animation.Problem = "the \"seq \" chunk names frame " + std::to_string(*missing) +
                                " of " + std::to_string(frames);
            animation.Sequence.clear();
        } else if (steps > 0) {
            animation.Sequence.resize(steps);
        }
    }
    const std::size_t wanted = animation.Steps();
    if (!animation.Rates.empty() && animation.Rates.size() < wanted) {
        if (animation.Problem.empty())
            animation.Problem = ShortText("rate", animation.Rates.size(), wanted);
        animation.Rates.clear();
    }
}
