#pragma once

#include <QObject>
#include <functional>
#include <optional>

class QSplitter;

// Keeps the second pane of a two-pane splitter at a share of the splitter's length while the
// splitter is resized (a window made larger, maximised or restored); a drag of the handle sets
// the share. Lengths given and read are meant at a reference length of the splitter (the
// window's normal size), so they keep their meaning while the window is maximised. When the
// splitter is too short for both panes' least lengths, the first pane gives way first.
class TSplitterShare : public QObject {
public:
    // referenceLength: the splitter's length at the window's normal size; firstLeast and
    // secondLeast: the least lengths the panes keep while there is room for both.
    TSplitterShare(QSplitter& splitter, std::function<int()> referenceLength,
                   std::function<int()> firstLeast, std::function<int()> secondLeast);

    // The second pane's length at the reference length.
    int SecondLength() const;
    // Makes length the second pane's share of the reference length; it takes effect as soon as
    // the splitter has been laid out.
    void SetSecondLength(int length);
    // Gives the panes their lengths for the splitter's present length.
    void Apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Length() const;
    int SecondFor(int room) const;
    void TakeDrag();

    QSplitter& splitter_;
    std::function<int()> referenceLength_;
    std::function<int()> firstLeast_;
    std::function<int()> secondLeast_;
    double share_ = 0;
    // A length given before the splitter could tell its reference length.
    std::optional<int> pending_;
};
