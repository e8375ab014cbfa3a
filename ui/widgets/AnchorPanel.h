#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

// Edges of a panel that a child keeps its distance to when the panel is resized.
enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr unsigned akAll = akLeft | akTop | akRight | akBottom;

// A panel whose children stand at designed positions. Each child keeps its distance to the
// edges it is anchored to: anchored left and right it stretches with the panel, anchored right
// only it moves with the right edge; the same holds vertically.
class TAnchorPanel : public QWidget {
    Q_OBJECT
public:
    // Positions are designed for a panel of designSize.
    explicit TAnchorPanel(QSize designSize, QWidget* parent = nullptr);

    // Puts child at its designed bounds, kept by the given anchors from now on.
    void Anchor(QWidget* child, const QRect& designed, unsigned anchors);

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TAnchored {
        QPointer<QWidget> Child;
        QRect Designed;
        unsigned Anchors;
    };

    QRect BoundsOf(const TAnchored& item) const;

    QSize designSize_;
    std::vector<TAnchored> anchored_;
};
