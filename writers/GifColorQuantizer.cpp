#include "writers/GifColorQuantizer.h"

namespace {

int ChildIndex(TColor color, int depth) {
    int shift = 7 - depth;
    return (((color.Red >> shift) & 1) << 2) | (((color.Green >> shift) & 1) << 1) |
           ((color.Blue >> shift) & 1);
}

void AppendLeaves(const TOctreeNode& node, std::vector<TColor>& palette) {
    if (node.IsLeaf) {
        TColor mean = clBlack;
        if (node.PixelCount > 0) {
            mean = {static_cast<std::uint8_t>(node.RedSum / node.PixelCount),
                    static_cast<std::uint8_t>(node.GreenSum / node.PixelCount),
                    static_cast<std::uint8_t>(node.BlueSum / node.PixelCount)};
        }
        palette.push_back(mean);
        return;
    }
    for (const auto& child : node.Children)
        if (child) AppendLeaves(*child, palette);
}

}  // namespace

TColorQuantizer::TColorQuantizer() = default;
TColorQuantizer::~TColorQuantizer() = default;

std::unique_ptr<TOctreeNode> TColorQuantizer::CreateNode(int depth) {
    std::unique_ptr<TOctreeNode> node;
    if (spare_.empty()) {
        node = std::make_unique<TOctreeNode>();
    } else {
        node = std::move(spare_.back());
        spare_.pop_back();
        *node = TOctreeNode();
    }
    if (depth == kColorBits) {
        node->IsLeaf = true;
        ++leafCount_;
    } else {
        node->NextReducible = reducible_[static_cast<std::size_t>(depth)];
        reducible_[static_cast<std::size_t>(depth)] = node.get();
    }
    return node;
}

void TColorQuantizer::AddColor(TColor Color) {
    if (lastLeaf_ != nullptr && Color == lastColor_) {
        ++lastLeaf_->PixelCount;
        lastLeaf_->RedSum += Color.Red;
        lastLeaf_->GreenSum += Color.Green;
        lastLeaf_->BlueSum += Color.Blue;
        return;
    }
    std::unique_ptr<TOctreeNode>* slot = &root_;
    for (int depth = 0;; ++depth) {
        if (!*slot) *slot = CreateNode(depth);
        TOctreeNode& node = **slot;
        if (node.IsLeaf) {
            ++node.PixelCount;
            node.RedSum += Color.Red;
            node.GreenSum += Color.Green;
            node.BlueSum += Color.Blue;
            lastLeaf_ = &node;
            lastColor_ = Color;
            break;
        }
        slot = &node.Children[static_cast<std::size_t>(ChildIndex(Color, depth))];
    }
    while (leafCount_ > kMaxColors && ReduceTree()) {
    }
}

// Folds the most recently created node of the deepest level that has one into a leaf. All
// levels below it are leaves by then, so its children carry every pixel sum of its subtree.
bool TColorQuantizer::ReduceTree() {
    int depth = kColorBits - 1;
    while (depth > 0 && reducible_[static_cast<std::size_t>(depth)] == nullptr) --depth;
    TOctreeNode* node = reducible_[static_cast<std::size_t>(depth)];
    if (node == nullptr) return false;
    lastLeaf_ = nullptr;  // it may be among the children folded away
    reducible_[static_cast<std::size_t>(depth)] = node->NextReducible;
    int children = 0;
    for (auto& child : node->Children) {
        if (!child) continue;
        node->PixelCount += child->PixelCount;
        node->RedSum += child->RedSum;
        node->GreenSum += child->GreenSum;
        node->BlueSum += child->BlueSum;
        ++children;
        Release(std::move(child));
    }
    node->IsLeaf = true;
    leafCount_ -= children - 1;
    return true;
}

void TColorQuantizer::Release(std::unique_ptr<TOctreeNode> node) {
    for (auto& child : node->Children)
        if (child) Release(std::move(child));
    spare_.push_back(std::move(node));
}

std::vector<TColor> TColorQuantizer::Palette() const {
    std::vector<TColor> palette;
    palette.reserve(kMaxColors);
    if (root_) AppendLeaves(*root_, palette);
    palette.resize(kMaxColors, clBlack);
    return palette;
}
