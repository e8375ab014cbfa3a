#include "toolkit/FileListModel.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>

#include "toolkit/SortedRows.h"

namespace {

bool FileLess(const QFileInfo& a, const QFileInfo& b) {
    return NameLess(a.fileName(), b.fileName());
}

// Sizes as the Windows explorer shows them: whole kilobytes, rounded up.
QString SizeText(qint64 bytes) {
    return QLocale().toString((bytes + 1023) / 1024) + QStringLiteral(" KB");
}

// "R" for a file without any write permission bit (whoever runs the program, root included),
// "H" for a hidden one.
QString AttributeText(const QFileInfo& file) {
    constexpr QFile::Permissions kWriteBits =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QString text;
    if (!(file.permissions() & kWriteBits)) text += QLatin1Char('R');
    if (file.isHidden()) text += QLatin1Char('H');
    return text;
}

}  // namespace

TFileListModel::TFileListModel(QObject* parent) : QAbstractTableModel(parent) {
    connect(&ownIcons_, &TFileIcons::IconRead, this, &TFileListModel::IconRead);
}

void TFileListModel::SetIconReader(TFileIcons::TReader reader) {
    ownIcons_.SetReader(std::move(reader));
}

void TFileListModel::SetFolder(const QString& folder) {
    ownIcons_.ForgetQueued();
    beginResetModel();
    folder_ = folder;
    files_ = ReadFolder();
    endResetModel();
}

void TFileListModel::SetMask(const QString& mask) {
    mask_ = mask;
    matcher_ = TFileMask(mask);
    Refresh();
}

void TFileListModel::Refresh() {
    MergeSortedRows(
        files_, ReadFolder(), FileLess,
        [this](TRowChange change, int row) {
            switch (change) {
                case TRowChange::Removing:
                    beginRemoveRows(QModelIndex(), row, row);
                    break;
                case TRowChange::Removed:
                    endRemoveRows();
                    break;
                case TRowChange::Inserting:
                    beginInsertRows(QModelIndex(), row, row);
                    break;
                case TRowChange::Inserted:
                    endInsertRows();
                    break;
            }
        },
        [this](QFileInfo& kept, QFileInfo& fresh, int row) {
            kept = fresh;
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        });
}

std::vector<QFileInfo> TFileListModel::ReadFolder() const {
    std::vector<QFileInfo> found;
    if (folder_.isEmpty()) return found;
    const QFileInfoList entries =
        QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (matcher_.Matches(entry.fileName())) found.push_back(entry);
    }
    std::sort(found.begin(), found.end(), FileLess);
    return found;
}

QString TFileListModel::FilePath(int row) const {
    if (row < 0 || row >= static_cast<int>(files_.size())) return {};
    return QDir::toNativeSeparators(files_[static_cast<std::size_t>(row)].absoluteFilePath());
}

int TFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

int TFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(files_.size())) return {};
    const QFileInfo& file = files_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return DisplayText(file, index.column());
        case Qt::DecorationRole:
            return index.column() == ColName ? QVariant(FileIcon(file)) : QVariant();
        case Qt::TextAlignmentRole:
            return headerData(index.column(), Qt::Horizontal, role);
        default:
            return {};
    }
}

QIcon TFileListModel::FileIcon(const QFileInfo& file) const {
    const QIcon own = ownIcons_.Icon(file);
    return own.isNull() ? icons_.icon(file) : own;
}

void TFileListModel::IconRead(const QString& path) {
    for (std::size_t row = 0; row < files_.size(); ++row) {
        if (files_[row].absoluteFilePath() != path) continue;
        const QModelIndex name = index(static_cast<int>(row), ColName);
        emit dataChanged(name, name, {Qt::DecorationRole});
        return;
    }
}

QVariant TFileListModel::DisplayText(const QFileInfo& file, int column) const {
    switch (column) {
        case ColName:
            return file.fileName();
        case ColSize:
            return SizeText(file.size());
        case ColType:
            return icons_.type(file);
        case ColModified:
            return QLocale().toString(file.lastModified(), QLocale::ShortFormat);
        case ColAttributes:
            return AttributeText(file);
        default:
            return {};
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) {
        const bool right = section == ColSize || section == ColAttributes;
        return static_cast<int>(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole) return {};
    static const char* const titles[ColumnCount] = {"Name", "Size", "Type", "Modified",
                                                    "Attributes"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QString();
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
