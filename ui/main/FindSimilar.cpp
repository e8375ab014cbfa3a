// The grid's "Find Similar Icons": the cells whose group looks like the pressed cell's group by
// difference hash, within the distance of the status bar's spin box.
#include <QSpinBox>

#include "hashes/GroupHash.h"
#include "icons/IconGroups.h"
#include "similar/HexHash.h"
#include "similar/NearItems.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"

namespace {

constexpr int kMessagePanel = 3;  // the selection's panel: the message describes a selection
constexpr int kDefaultDistance = 4;

}  // namespace

void TMain::CreateSimilarDistanceBox() {
    spnSimilarDistance = new QSpinBox(StatusBar);
    spnSimilarDistance->setObjectName(QStringLiteral("spnSimilarDistance"));
    spnSimilarDistance->setRange(0, 16);
    spnSimilarDistance->setValue(kDefaultDistance);
    spnSimilarDistance->setPrefix(QStringLiteral("Distance "));
    spnSimilarDistance->setToolTip(
        QStringLiteral("How many of 64 difference-hash bits Find Similar Icons lets differ"));
    StatusBar->addPermanentWidget(spnSimilarDistance);
}

std::optional<std::uint64_t> TMain::GroupDhash(const TLoadedIconImage& image) {
    if (!image.Group || !image.Owner) return std::nullopt;
    auto known = GroupDhashes.find(image.Group.get());
    if (known != GroupDhashes.end()) return known->second;
    // Every group of the image's file is hashed at once: its neighbours are asked for next.
    TDhashImage choice = HashIconsLikeCape ? TDhashImage::Cape : TDhashImage::Pillow;
    for (const TIconGroup& group : IconGroupsOf(*image.Owner)) {
        std::optional<std::string> dhash = HashGroup(group, choice).DifferenceHash;
        GroupDhashes[group.Record] = dhash ? ParseHexHash(*dhash) : std::nullopt;
    }
    return GroupDhashes[image.Group.get()];
}

void TMain::FindSimilarIcons1Click() {
    const int caret = lbxViewer->CaretIndex();
    if (caret < 0) return;
    std::vector<std::optional<std::uint64_t>> hashes;
    for (int cell = 0; cell < lbxViewer->Count(); ++cell) {
        hashes.push_back(GroupDhash(lbxViewer->Item(cell)));
    }
    const int distance = spnSimilarDistance->value();
    std::vector<std::size_t> near = ItemsNear(hashes, static_cast<std::size_t>(caret), distance);
    lbxViewer->SelectItems(std::vector<int>(near.begin(), near.end()));
    StatusBar->ShowMessage(
        kMessagePanel,
        QStringLiteral("%1 similar icons (distance <= %2).").arg(near.size()).arg(distance));
}

void TMain::HashIconsLikeCape1Click() {
    HashIconsLikeCape = !HashIconsLikeCape;
    GroupDhashes.clear();
}
