#pragma once

#include <QAbstractListModel>
#include <vector>

#include "icons/LoadedIcon.h"

// The viewer grid's items in grid order, one image each. The images belong to their icons;
// the grid only points at them, so it is emptied before the icons are freed.
class TViewerItems : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Items carry no text, the grid draws them itself; their tool-tip says what each is.
    QVariant data(const QModelIndex& index, int role) const override;

    void SetImages(std::vector<TLoadedIconImage*> images);
    void Clear();
    TLoadedIconImage& Image(int row) const;

private:
    std::vector<TLoadedIconImage*> images_;
};
