#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QItemSelectionModel>
#include <QTimer>
#include <cmath>
#include <functional>
#include <initializer_list>

#include "MainFixture.h"
#include "PictureIcon.h"

// The main window with icons loaded straight into its grid, for the commands that act on the
// grid's cells.
class CommandFixture : public MainFixture {
protected:
    // Writes the icon file and loads it alone; its images fill the grid in file order.
    std::string LoadIcon(const std::string& relative, ByteView bytes) {
        const std::string path = Write(relative, bytes);
        main->LoadFiles(false, std::vector<std::string>{path});
        RunToEnd();
        return path;
    }

    void Select(std::initializer_list<int> cells) {
        QItemSelectionModel* selection = main->lbxViewer->selectionModel();
        selection->clearSelection();
        for (int cell : cells) {
            selection->select(main->lbxViewer->model()->index(cell, 0),
                              QItemSelectionModel::Select);
        }
    }

    void SetCaret(int cell) { main->lbxViewer->SetCaretIndex(cell); }

    // Queues the save dialog's answer: the name typed and the filter entry chosen (1-based).
    void AnswerSave(const QString& fileName, int filterIndex) {
        prompter.saveAnswers.push_back({true, fileName, filterIndex});
    }

    QString InDir(const std::string& relative) const {
        return QString::fromStdString((dir.Path() / relative).string());
    }

    // Runs `user` against the modal dialog of type T once it is up; a dialog it leaves open
    // fails the test and is rejected.
    template <typename T>
    static void WhenShown(const std::function<void(T&)>& user) {
        QTimer::singleShot(0, [user] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no dialog is shown";
                return;
            }
            user(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog->reject();
            }
        });
    }
};

// What drawing a 24- or 32-bit image over Background gives at pixel (x, y), y from the top. The
// picture icons' 32-bit images have alpha, which alone decides: the background where it is 0,
// colours blended by alpha / 256 with halves rounded to even. A 24-bit image shows the
// background where the mask is transparent (its colour bits are black there), the colour
// elsewhere.
inline QRgb ExpectedPixel(const TLoadedIconImage& image, int x, int y, QColor background) {
    const int row = image.PixelHeight() - 1 - y;
    const std::uint8_t maskByte =
        image.MaskBits()[static_cast<std::size_t>(row) * image.MaskStride() + x / 8];
    const int bytes = image.BitCount / 8;
    const std::uint8_t* pixel =
        &image.ImageBits()[static_cast<std::size_t>(row) * image.ImageStride() + x * bytes];
    const bool masked = image.BitCount == 32 ? pixel[3] == 0 : (maskByte & (0x80 >> (x % 8)));
    if (masked) return background.rgb();
    const int alpha = image.BitCount == 32 ? pixel[3] : 255;
    if (alpha == 255) return qRgb(pixel[2], pixel[1], pixel[0]);
    const double f = alpha / 256.0;
    auto blend = [&](int back, int colour) {
        return static_cast<int>(std::nearbyint(back * (1 - f) + colour * f));
    };
    return qRgb(blend(background.red(), pixel[2]), blend(background.green(), pixel[1]),
                blend(background.blue(), pixel[0]));
}

// Every pixel of picture against the drawing of image over background.
inline void ExpectDrawnOver(const QImage& picture, const TLoadedIconImage& image,
                            QColor background) {
    ASSERT_EQ(picture.size(), QSize(image.PixelWidth(), image.PixelHeight()));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(picture.pixel(x, y) | 0xFF000000u, ExpectedPixel(image, x, y, background))
                << "pixel " << x << "," << y;
        }
    }
}
