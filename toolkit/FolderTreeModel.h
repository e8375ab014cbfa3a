#pragma once

#include <QAbstractItemModel>
#include <QFileIconProvider>
#include <QString>
#include <memory>
#include <vector>

// The folders of the file system as a tree: the roots (the drives on Windows) at the top,
// hidden folders included, files left out. A folder's subfolders are read when the view first
// asks for them and again on Refresh; paths use "/" inside the model.
class TFolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TFolderTreeModel(QObject* parent = nullptr);
    ~TFolderTreeModel() override;

    // The folder path of an index ("/" separators); empty for the invisible root.
    QString FolderPath(const QModelIndex& index) const;
    // The index of an existing folder, reading the folders on the way; invalid when the path
    // leads nowhere.
    QModelIndex FindFolder(const QString& path);
    // Reads a folder's subfolders again when they have been read before; folders that remain
    // keep their rows and their own subfolders.
    void Refresh(const QModelIndex& index);
    // Refresh for every folder read so far.
    void RefreshAll();

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct TNode;

    static std::vector<std::unique_ptr<TNode>> ReadChildren(TNode& node);
    TNode& NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TNode& node) const;
    QModelIndex ChildNamed(const QModelIndex& parent, const QString& name);
    void RefreshTree(const QModelIndex& index);

    std::unique_ptr<TNode> root_;
    QFileIconProvider icons_;
};
