#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QAbstractItemView;
class QItemSelection;
class QListView;
class QStackedLayout;
class QTreeView;
class TFileListModel;

// How the file list arranges its items: large icons, small icons in rows, a list in columns,
// or the report with the columns "Name", "Size", "Type", "Modified", "Attributes".
enum class TViewStyle { Icon, SmallIcon, List, Report };

// The file list: the files (never the subfolders, hidden files included) of one folder that
// match a mask. A linked TShellFolderTree tells it which folder to show. A double click opens
// nothing and names cannot be edited in place.
class TShellFileList : public QWidget {
    Q_OBJECT
public:
    explicit TShellFileList(QWidget* parent = nullptr);

    // The folder shown (native separators, no trailing separator); empty until one is set.
    QString Folder() const;
    // Shows the files of a folder and reports Populated.
    void SetFolder(const QString& folder);
    // Reads the shown folder again and reports Populated; files that remain keep their
    // selection.
    void Refill();

    // Wildcard patterns separated by ";", compared without regard to case; "*.*" lists every
    // file. "*.*" at first.
    QString FileMask() const;
    // A mask that differs from the current one refills the list at once.
    void SetFileMask(const QString& mask);

    // Reads each listed file's own icon in the background; until it is read, and for files
    // without one, the list shows a generic icon.
    void SetIconReader(std::function<QList<QImage>(const QString& path)> reader);

    TViewStyle ViewStyle() const;
    void SetViewStyle(TViewStyle style);

    // The listed files in display order.
    int Count() const;
    // Full path (native separators) of the file in a row; empty for a row outside the list.
    QString ItemPath(int row) const;
    bool HasSelection() const;
    // Full path of the first selected file; empty when none is selected.
    QString SelectedPath() const;
    // Selects the file in a row (the list holds at most one selected file).
    void SelectItem(int row);
    void ClearSelection();

    // The view in use for the current view style.
    QAbstractItemView* CurrentView() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // The list has been filled or refilled for its folder.
    void Populated();
    // A file of the list became selected; itemPath is its full path.
    void Change(const QString& itemPath);

private:
    void SelectionChanged(const QItemSelection& selected);
    void FitColumns();

    TFileListModel* model_;
    QStackedLayout* stack_;
    QTreeView* report_;
    QListView* icons_;
    TViewStyle style_ = TViewStyle::Report;
};
