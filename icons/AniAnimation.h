#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TLoadedIcon;
class TLoadedIconImage;

// How an animated cursor plays: which frame each step shows and for how long. Rates count
// jiffies (1/60 s). Without a "rate" chunk every step lasts the header's display rate; without
// a "seq " chunk the steps show the frames in order.
struct TAniAnimation {
    std::uint32_t Frames = 0;       // the header's frame count
    std::uint32_t DisplayRate = 0;  // the header's rate for every step
    std::vector<std::uint32_t> Rates;
    std::vector<std::uint32_t> Sequence;
    // Where each frame's images start in the icon's Images, frame after frame.
    std::vector<std::size_t> FrameStarts;
    // Why a "rate" or "seq " chunk was left unused (too short, or naming a frame that is not
    // there); empty when both were used or absent.
    std::string Problem;

    // The number of steps of one round: the sequence's, else one per frame read.
    std::size_t Steps() const;
    // The frame step `step` shows, and how long it shows it in milliseconds.
    std::size_t StepFrame(std::size_t step) const;
    int StepMilliseconds(std::size_t step) const;
    int TotalMilliseconds() const;
};

// The image of `frame` of an animated cursor that matches `like` in size and depth, else the
// frame's first; nullptr for a frame that holds none.
TLoadedIconImage* FrameImage(const TLoadedIcon& icon, std::size_t frame,
                             const TLoadedIconImage& like);

// Checks the rates and the sequence against the header's step count and the frames read:
// ones that run short or name a missing frame are dropped, with the reason in Problem.
void SettleAnimation(TAniAnimation& animation, std::uint32_t steps);
