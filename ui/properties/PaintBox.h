#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// A plain drawing surface whose owner paints it in OnPaint, with the painter set on the box.
class TPaintBox : public QWidget {
public:
    explicit TPaintBox(QWidget* parent) : QWidget(parent) {}

    std::function<void(QPainter& Canvas)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};
