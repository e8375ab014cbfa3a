#include "ui/viewer/ViewerItems.h"

#include "ui/viewer/CellToolTip.h"

int TViewerItems::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(images_.size());
}

QVariant TViewerItems::data(const QModelIndex& index, int role) const {
    if (role != Qt::ToolTipRole || !index.isValid() || index.row() >= rowCount()) return {};
    return CellToolTip(Image(index.row()));
}

void TViewerItems::SetImages(std::vector<TLoadedIconImage*> images) {
    beginResetModel();
    images_ = std::move(images);
    endResetModel();
}

void TViewerItems::Clear() {
    SetImages({});
}

TLoadedIconImage& TViewerItems::Image(int row) const {
    return *images_.at(static_cast<std::size_t>(row));
}
