#pragma once

#include <QString>
#include <QTreeView>

class QTimer;
class TFolderTreeModel;
class TFolderWatcher;
class TMountWatcher;
class TShellFileList;

// The folder tree: the file system from its root (the drives on Windows) down, folders only,
// hidden folders included, names read-only, 19 pixels per level. It starts at the user's home
// folder. A linked file list shows the selected folder, refilled ReadDelay milliseconds after
// the selection last changed. The selected folder and its parent are watched: a change in the
// folder re-reads it and refills the list, and when the folder disappears its nearest remaining
// parent is selected. Mounting or unmounting a device refreshes the tree.
class TShellFolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit TShellFolderTree(QWidget* parent = nullptr);

    // The file list that follows the selection (not owned; nullptr unlinks it).
    void SetListView(TShellFileList* list);

    // Milliseconds between the last change of the selection and the refill of the list; 500 at
    // first.
    int ReadDelay() const;
    void SetReadDelay(int milliseconds);

    // The selected folder as a full path with native separators and no trailing separator
    // (the root is "/", a drive root "C:\"); empty when nothing is selected.
    QString Directory() const;
    // Selects a folder, expanding the way to it; a path that is not an existing folder leaves
    // the selection unchanged.
    void SetDirectory(const QString& path);

signals:
    // The selected folder changed.
    void Change();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Moves the selection off folders that are about to leave the tree, to their parent.
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void FillList();
    void WatchSelection();
    void FolderChanged(const QString& folder);
    void DevicesChanged();
    void SelectNearestExisting();

    TFolderTreeModel* model_;
    QTimer* readTimer_;
    TFolderWatcher* watcher_;
    TMountWatcher* mounts_;
    TShellFileList* list_ = nullptr;
};
