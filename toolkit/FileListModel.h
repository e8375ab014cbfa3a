#pragma once

#include <QAbstractTableModel>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QString>
#include <vector>

#include "toolkit/FileIcons.h"
#include "toolkit/FileMask.h"

// The files of one folder that match a mask, sorted by name, with the report columns "Name",
// "Size", "Type", "Modified" and "Attributes". Subfolders are never listed; hidden files are.
// A file shows its own icon once the icon reader has read it, a generic one until then.
class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColName, ColSize, ColType, ColModified, ColAttributes, ColumnCount };

    explicit TFileListModel(QObject* parent = nullptr);

    QString Folder() const { return folder_; }
    QString Mask() const { return mask_; }
    // Lists another folder from scratch.
    void SetFolder(const QString& folder);
    void SetMask(const QString& mask);
    // Reads the folder again; rows of files that remain stay in place.
    void Refresh();
    // Full path of the file in a row; empty for a row outside the list.
    QString FilePath(int row) const;
    // Reads each file's own icon in the background (see TFileIcons).
    void SetIconReader(TFileIcons::TReader reader);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<QFileInfo> ReadFolder() const;
    QVariant DisplayText(const QFileInfo& file, int column) const;
    QIcon FileIcon(const QFileInfo& file) const;
    void IconRead(const QString& path);

    QString folder_;
    QString mask_ = QStringLiteral("*.*");
    TFileMask matcher_{mask_};
    std::vector<QFileInfo> files_;
    QFileIconProvider icons_;
    // Asked from data(), which is const; asking only fills the cache.
    mutable TFileIcons ownIcons_;
};
