#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Color.h"

// One node of the colour octree. A leaf sums the pixels that reached it; an inner node has up
// to eight children, picked by one bit of red, green and blue per level.
class TOctreeNode {
public:
    bool IsLeaf = false;
    std::int32_t PixelCount = 0;
    std::int32_t RedSum = 0;
    std::int32_t GreenSum = 0;
    std::int32_t BlueSum = 0;
    // The next node of the same depth that can still be folded into a leaf (not owned).
    TOctreeNode* NextReducible = nullptr;
    std::array<std::unique_ptr<TOctreeNode>, 8> Children;
};

// Octree colour quantisation: colours are added one pixel at a time and the tree is folded
// whenever it holds more leaves than colours allowed, so it never grows past that by more than
// the leaves of one pixel. Released nodes are kept for reuse, so adding pixels allocates only
// while the tree grows beyond its largest size so far.
class TColorQuantizer {
public:
    static constexpr int kColorBits = 8;
    static constexpr int kMaxColors = 256;

    TColorQuantizer();
    ~TColorQuantizer();
    TColorQuantizer(const TColorQuantizer&) = delete;
    TColorQuantizer& operator=(const TColorQuantizer&) = delete;

    void AddColor(TColor Color);
    int LeafCount() const { return leafCount_; }
    // The leaves depth first, children in index order, each the mean of its pixels (black
    // for a leaf without pixels), then black up to kMaxColors entries.
    std::vector<TColor> Palette() const;

private:
    std::unique_ptr<TOctreeNode> CreateNode(int depth);
    // Returns false when nothing is left to fold.
    bool ReduceTree();
    void Release(std::unique_ptr<TOctreeNode> node);

    std::unique_ptr<TOctreeNode> root_;
    int leafCount_ = 0;
    std::array<TOctreeNode*, kColorBits> reducible_{};
    std::vector<std::unique_ptr<TOctreeNode>> spare_;
    // The leaf the last colour reached, while no fold has happened since: icons repeat one
    // colour over long runs, and such a pixel goes straight to its leaf.
    TOctreeNode* lastLeaf_ = nullptr;
    TColor lastColor_;
};
