#include "toolkit/ShellFolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "toolkit/FolderTreeModel.h"
#include "toolkit/FolderWatcher.h"
#include "toolkit/MountWatcher.h"
#include "toolkit/ShellFileList.h"

namespace {

constexpr int kDefaultReadDelay = 500;
constexpr int kIndent = 19;

// Whether index or one of its ancestors is a row in [start, end] below parent.
bool WithinRows(QModelIndex index, const QModelIndex& parent, int start, int end) {
    for (; index.isValid(); index = index.parent()) {
        if (index.parent() == parent && index.row() >= start && index.row() <= end) return true;
    }
    return false;
}

}  // namespace

TShellFolderTree::TShellFolderTree(QWidget* parent)
    : QTreeView(parent),
      model_(new TFolderTreeModel(this)),
      readTimer_(new QTimer(this)),
      watcher_(new TFolderWatcher(this)),
      mounts_(new TMountWatcher(this)) {
    setModel(model_);
    setHeaderHidden(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setIndentation(kIndent);
    setUniformRowHeights(true);
    readTimer_->setSingleShot(true);
    readTimer_->setInterval(kDefaultReadDelay);
    connect(readTimer_, &QTimer::timeout, this, &TShellFolderTree::FillList);
    connect(watcher_, &TFolderWatcher::Changed, this, &TShellFolderTree::FolderChanged);
    connect(mounts_, &TMountWatcher::Changed, this, &TShellFolderTree::DevicesChanged);
    SetDirectory(QDir::homePath());
}

void TShellFolderTree::SetListView(TShellFileList* list) {
    list_ = list;
}

int TShellFolderTree::ReadDelay() const {
    return readTimer_->interval();
}

void TShellFolderTree::SetReadDelay(int milliseconds) {
    readTimer_->setInterval(qMax(0, milliseconds));
}

QString TShellFolderTree::Directory() const {
    return QDir::toNativeSeparators(model_->FolderPath(currentIndex()));
}

void TShellFolderTree::SetDirectory(const QString& path) {
    const QModelIndex folder = model_->FindFolder(path);
    if (!folder.isValid()) return;
    for (QModelIndex above = folder.parent(); above.isValid(); above = above.parent()) {
        expand(above);
    }
    setCurrentIndex(folder);
    scrollTo(folder);
}

void TShellFolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    WatchSelection();
    readTimer_->start();
    emit Change();
}

void TShellFolderTree::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    if (WithinRows(currentIndex(), parent, start, end)) setCurrentIndex(parent);
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TShellFolderTree::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

// A name cut short by the pane's edge shows in full as a tool-tip.
bool TShellFolderTree::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    const QModelIndex index = indexAt(at);
    const QRect rect = visualRect(index);
    const int shown = std::min(rect.right() + 1, viewport()->width()) - rect.left();
    if (index.isValid() && shown < sizeHintForIndex(index).width()) {
        QToolTip::showText(viewport()->mapToGlobal(at), index.data().toString(), viewport(), rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void TShellFolderTree::FillList() {
    if (list_) list_->SetFolder(Directory());
}

void TShellFolderTree::WatchSelection() {
    watcher_->Clear();
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    watcher_->WatchContents(model_->FolderPath(current));
    watcher_->WatchFolderNames(model_->FolderPath(current.parent()));
}

void TShellFolderTree::FolderChanged(const QString& folder) {
    const QModelIndex current = currentIndex();
    const QString selected = model_->FolderPath(current);
    if (!QFileInfo(selected).isDir()) {
        SelectNearestExisting();
        model_->Refresh(currentIndex());
        return;
    }
    WatchSelection();  // the folder may have been replaced by a new one of the same name
    if (folder != selected) {
        model_->Refresh(current.parent());
        return;
    }
    model_->Refresh(current);
    if (list_ && !readTimer_->isActive() && list_->Folder() == Directory()) list_->Refill();
}

void TShellFolderTree::DevicesChanged() {
    SelectNearestExisting();
    model_->RefreshAll();
}

void TShellFolderTree::SelectNearestExisting() {
    QModelIndex at = currentIndex();
    while (at.isValid() && !QFileInfo(model_->FolderPath(at)).isDir()) at = at.parent();
    if (at != currentIndex()) setCurrentIndex(at);
}
