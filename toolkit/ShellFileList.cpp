#include "toolkit/ShellFileList.h"

#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>
#include <algorithm>

#include "toolkit/FileListModel.h"

namespace {

constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;
constexpr int kLeastNameWidth = 200;

void MakeBrowsingView(QAbstractItemView* view, QAbstractItemModel* model) {
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
}

// The report: one row per file with the five columns, no tree decoration.
QTreeView* MakeReportView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTreeView(parent);
    MakeBrowsingView(view, model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setIconSize(QSize(kSmallIconSize, kSmallIconSize));
    view->header()->setStretchLastSection(false);
    view->header()->resizeSection(TFileListModel::ColName, 200);
    return view;
}

// Large icons with the name below, small icons with the name beside them in rows, or the
// list: small icons in columns.
void ArrangeIconView(QListView* view, TViewStyle style) {
    const bool large = style == TViewStyle::Icon;
    view->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    view->setFlow(style == TViewStyle::List ? QListView::TopToBottom : QListView::LeftToRight);
    view->setWrapping(true);
    view->setResizeMode(QListView::Adjust);
    view->setMovement(QListView::Static);
    const int side = large ? kLargeIconSize : kSmallIconSize;
    view->setIconSize(QSize(side, side));
    view->setGridSize(large ? QSize(side * 3, side + view->fontMetrics().height() * 2 + 8)
                            : QSize());
    view->setSpacing(large ? 0 : 2);
}

}  // namespace

TShellFileList::TShellFileList(QWidget* parent)
    : QWidget(parent),
      model_(new TFileListModel(this)),
      stack_(new QStackedLayout(this)),
      report_(MakeReportView(model_, this)),
      icons_(new QListView(this)) {
    MakeBrowsingView(icons_, model_);
    icons_->setSelectionModel(report_->selectionModel());
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(report_);
    stack_->addWidget(icons_);
    connect(report_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { SelectionChanged(selected); });
    SetViewStyle(TViewStyle::Report);
}

QString TShellFileList::Folder() const {
    return QDir::toNativeSeparators(model_->Folder());
}

void TShellFileList::SetFolder(const QString& folder) {
    model_->SetFolder(QDir::fromNativeSeparators(folder));
    FitColumns();
    emit Populated();
}

// On every refill, and as the list changes size, the other columns take the width of their
// content and the name column that of its longest name, as far as the list has room for it
// beside them (never less than a least width).
void TShellFileList::FitColumns() {
    if (model_->rowCount() == 0) return;
    QHeaderView* header = report_->header();
    int others = 0;
    for (int column = TFileListModel::ColName + 1; column < header->count(); ++column) {
        report_->resizeColumnToContents(column);
        others += header->sectionSize(column);
    }
    report_->resizeColumnToContents(TFileListModel::ColName);
    const int room = std::max(kLeastNameWidth, report_->viewport()->width() - others);
    header->resizeSection(TFileListModel::ColName,
                          std::min(header->sectionSize(TFileListModel::ColName), room));
}

void TShellFileList::Refill() {
    if (model_->Folder().isEmpty()) return;
    model_->Refresh();
    FitColumns();
    emit Populated();
}

QString TShellFileList::FileMask() const {
    return model_->Mask();
}

void TShellFileList::SetFileMask(const QString& mask) {
    if (mask == model_->Mask()) return;
    model_->SetMask(mask);
    if (!model_->Folder().isEmpty()) emit Populated();
}

void TShellFileList::SetIconReader(std::function<QList<QImage>(const QString& path)> reader) {
    model_->SetIconReader(std::move(reader));
}

TViewStyle TShellFileList::ViewStyle() const {
    return style_;
}

void TShellFileList::SetViewStyle(TViewStyle style) {
    style_ = style;
    // Focus given to the list goes to the view that shows it.
    setFocusProxy(style == TViewStyle::Report ? static_cast<QWidget*>(report_) : icons_);
    if (style == TViewStyle::Report) {
        stack_->setCurrentWidget(report_);
        return;
    }
    ArrangeIconView(icons_, style);
    stack_->setCurrentWidget(icons_);
    // The chosen file stays in view once the items stand in their new places.
    QMetaObject::invokeMethod(
        icons_, [this] { icons_->scrollTo(icons_->currentIndex()); }, Qt::QueuedConnection);
}

int TShellFileList::Count() const {
    return model_->rowCount();
}

QString TShellFileList::ItemPath(int row) const {
    return model_->FilePath(row);
}

bool TShellFileList::HasSelection() const {
    return report_->selectionModel()->hasSelection();
}

QString TShellFileList::SelectedPath() const {
    const QModelIndexList rows = report_->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : model_->FilePath(rows.first().row());
}

void TShellFileList::SelectItem(int row) {
    const QModelIndex index = model_->index(row, 0);
    if (!index.isValid()) return;
    report_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TShellFileList::ClearSelection() {
    report_->selectionModel()->clearSelection();
}

void TShellFileList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

QAbstractItemView* TShellFileList::CurrentView() const {
    return qobject_cast<QAbstractItemView*>(stack_->currentWidget());
}

void TShellFileList::SelectionChanged(const QItemSelection& selected) {
    for (const QModelIndex& index : selected.indexes()) {
        if (index.column() == TFileListModel::ColName) emit Change(model_->FilePath(index.row()));
    }
}
