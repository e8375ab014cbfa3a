#pragma once

#include <QWidget>

class TLoadedIconImage;

// The properties dialog's picture of one image: enlarged by a whole multiple without
// smoothing (each image pixel a square block), with a pixel grid from kGridFrom times on, a
// crosshair on a cursor's hot spot, and for a damaged image its mark. It is as large as the
// picture, and at least as large as the area it was fitted to.
class TImagePreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGridFrom = 6;
    static constexpr int kMostZoom = 16;

    explicit TImagePreview(QWidget* parent = nullptr);

    // The image shown (not owned), keeping the zoom; nullptr shows nothing.
    void SetImage(const TLoadedIconImage* image);
    const TLoadedIconImage* Image() const { return image_; }
    // The largest multiple, 1 to 16, at which the image fits `area`.
    static int FitZoom(const TLoadedIconImage& image, const QSize& area);
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    // The least size the preview keeps whatever the zoom.
    void SetArea(const QSize& area);
    // Where the picture stands in the preview, in logical pixels.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Resize();
    void DrawGrid(QPainter& painter, const QRect& picture) const;
    void DrawHotSpot(QPainter& painter, const QRect& picture) const;

    const TLoadedIconImage* image_ = nullptr;
    int zoom_ = 1;
    QSize area_;
};
