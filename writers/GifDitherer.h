#pragma once

#include <cstdint>
#include <vector>

#include "graphics/Color.h"
#include "writers/GifFastColorLookup.h"

// Walks an image row by row in serpentine order (the first row left to right, then alternating)
// and maps each pixel to a palette index.
class TDitherEngine {
public:
    explicit TDitherEngine(int Width) : width_(Width) {}
    virtual ~TDitherEngine() = default;
    TDitherEngine(const TDitherEngine&) = delete;
    TDitherEngine& operator=(const TDitherEngine&) = delete;

    // +1 while the current row runs left to right, -1 while it runs right to left.
    int Direction() const { return direction_; }
    // The column of the next pixel to dither.
    int Column() const { return column_; }

    // The palette index for the pixel at Column(); then moves one column on.
    virtual std::uint8_t Dither(TColor Pixel) = 0;
    // Ends the row and turns the direction for the next one.
    virtual void NextLine();

protected:
    void Advance() { column_ += direction_; }

private:
    int width_;
    int direction_ = 1;
    int column_ = 0;
};

// Burkes error diffusion: the difference between the wanted and the chosen colour goes, in
// 32nds, 8 and 4 to the next two pixels of the row and 2, 4, 8, 4, 2 to the five pixels
// around the same column of the next row, "next" meaning in the direction of the row.
class TBurkesDitherer : public TDitherEngine {
public:
    TBurkesDitherer(int Width, TFastColorLookup& Lookup);

    std::uint8_t Dither(TColor Pixel) override;
    void NextLine() override;

    // The accumulated error of a channel (0 red, 1 green, 2 blue) in 32nds at a column of the
    // current row (next false) or the next row; columns -2 to Width + 1 exist.
    std::int32_t Error(int Channel, bool Next, int Column) const;

private:
    // Two rows of accumulators per channel, with two entries of margin on each side.
    struct TErrorRows {
        std::vector<std::int32_t> Current;
        std::vector<std::int32_t> Next;
    };

    int Wanted(int channel, std::uint8_t component) const;
    void Spread(TErrorRows& rows, int error);

    TFastColorLookup& lookup_;
    TErrorRows errors_[3];
};
