#include "toolkit/FolderTreeModel.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <algorithm>

#include "toolkit/SortedRows.h"

struct TFolderTreeModel::TNode {
    QString name;  // the text shown
    QString path;  // empty for the invisible root
    TNode* parent = nullptr;
    int row = 0;
    bool read = false;  // children have been read
    QIcon icon;         // looked up when first shown
    std::vector<std::unique_ptr<TNode>> children;
};

namespace {

QString ChildPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// "/" for the root, "C:" for a drive.
QString RootName(const QString& path) {
    QString name = QDir::toNativeSeparators(path);
    if (name.size() > 1 && name.endsWith(QDir::separator())) name.chop(1);
    return name;
}

template <typename Children>
void Renumber(Children& children) {
    for (std::size_t i = 0; i < children.size(); ++i) children[i]->row = static_cast<int>(i);
}

}  // namespace

TFolderTreeModel::TFolderTreeModel(QObject* parent)
    : QAbstractItemModel(parent), root_(std::make_unique<TNode>()) {}

TFolderTreeModel::~TFolderTreeModel() = default;

std::vector<std::unique_ptr<TFolderTreeModel::TNode>> TFolderTreeModel::ReadChildren(TNode& node) {
    std::vector<std::unique_ptr<TNode>> children;
    auto add = [&](const QString& name, const QString& path) {
        auto child = std::make_unique<TNode>();
        child->name = name;
        child->path = path;
        child->parent = &node;
        children.push_back(std::move(child));
    };
    if (node.path.isEmpty()) {
        for (const QFileInfo& drive : QDir::drives()) {
            add(RootName(drive.absoluteFilePath()), drive.absoluteFilePath());
        }
    } else {
        const QStringList names = QDir(node.path).entryList(
            QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
        for (const QString& name : names) add(name, ChildPath(node.path, name));
    }
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return NameLess(a->name, b->name); });
    return children;
}

TFolderTreeModel::TNode& TFolderTreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? *static_cast<TNode*>(index.internalPointer()) : *root_;
}

QModelIndex TFolderTreeModel::IndexOf(const TNode& node) const {
    return &node == root_.get() ? QModelIndex()
                                : createIndex(node.row, 0, const_cast<TNode*>(&node));
}

QString TFolderTreeModel::FolderPath(const QModelIndex& index) const {
    return NodeOf(index).path;
}

QModelIndex TFolderTreeModel::FindFolder(const QString& path) {
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QFileInfo info(clean);
    if (clean.isEmpty() || !info.isAbsolute() || !info.isDir()) return {};
    fetchMore(QModelIndex());
    for (const auto& top : root_->children) {
        if (!clean.startsWith(top->path, Qt::CaseInsensitive)) continue;
        QModelIndex at = IndexOf(*top);
        const QStringList parts =
            clean.mid(top->path.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString& part : parts) {
            at = ChildNamed(at, part);
            if (!at.isValid()) break;
        }
        if (at.isValid()) return at;
    }
    return {};
}

QModelIndex TFolderTreeModel::ChildNamed(const QModelIndex& parent, const QString& name) {
    auto find = [&]() -> QModelIndex {
        for (const auto& child : NodeOf(parent).children) {
            if (child->name == name) return IndexOf(*child);
        }
        return {};
    };
    fetchMore(parent);
    QModelIndex found = find();
    if (found.isValid()) return found;
    Refresh(parent);  // the folder may have been created since it was read
    return find();
}

void TFolderTreeModel::Refresh(const QModelIndex& index) {
    TNode& node = NodeOf(index);
    if (!node.read) return;
    MergeSortedRows(
        node.children, ReadChildren(node),
        [](const auto& a, const auto& b) { return NameLess(a->name, b->name); },
        [&](TRowChange change, int row) {
            switch (change) {
                case TRowChange::Removing:
                    beginRemoveRows(index, row, row);
                    break;
                case TRowChange::Removed:
                    Renumber(node.children);
                    endRemoveRows();
                    break;
                case TRowChange::Inserting:
                    beginInsertRows(index, row, row);
                    break;
                case TRowChange::Inserted:
                    Renumber(node.children);
                    endInsertRows();
                    break;
            }
        },
        [](auto&, auto&, int) {});
}

void TFolderTreeModel::RefreshAll() {
    RefreshTree(QModelIndex());
}

void TFolderTreeModel::RefreshTree(const QModelIndex& index) {
    Refresh(index);
    for (const auto& child : NodeOf(index).children) {
        if (child->read) RefreshTree(IndexOf(*child));
    }
}

QModelIndex TFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const TNode& node = NodeOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node.children.size())) return {};
    return createIndex(row, 0, node.children[static_cast<std::size_t>(row)].get());
}

QModelIndex TFolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return IndexOf(*NodeOf(child).parent);
}

int TFolderTreeModel::rowCount(const QModelIndex& parent) const {
    return static_cast<int>(NodeOf(parent).children.size());
}

int TFolderTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

// A folder not read yet may have subfolders; a read one has them when its list is not empty.
bool TFolderTreeModel::hasChildren(const QModelIndex& parent) const {
    const TNode& node = NodeOf(parent);
    return !node.read || !node.children.empty();
}

bool TFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    return !NodeOf(parent).read;
}

void TFolderTreeModel::fetchMore(const QModelIndex& parent) {
    TNode& node = NodeOf(parent);
    if (node.read) return;
    auto children = ReadChildren(node);
    node.read = true;
    if (children.empty()) return;
    beginInsertRows(parent, 0, static_cast<int>(children.size()) - 1);
    node.children = std::move(children);
    Renumber(node.children);
    endInsertRows();
}

QVariant TFolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    TNode& node = NodeOf(index);
    if (role == Qt::DisplayRole) return node.name;
    if (role == Qt::DecorationRole) {
        if (node.icon.isNull()) node.icon = icons_.icon(QFileInfo(node.path));
        return node.icon;
    }
    return {};
}

Qt::ItemFlags TFolderTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
