#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

// A status bar of fixed-width panels, numbered from 0. A panel of width 0 is hidden.
class TStatusPanels : public QStatusBar {
    Q_OBJECT
public:
    TStatusPanels(int count, int width, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(panels_.size()); }
    QString Text(int panel) const;
    int PanelWidth(int panel) const;
    void SetText(int panel, const QString& text);
    void SetPanelWidth(int panel, int width);
    // Writes a message the way every status text is written: one blank before and one after
    // it, and the panel exactly as wide as that text in the bar's font plus 6 pixels.
    void ShowMessage(int panel, const QString& message);
    // Empties a panel and gives it back the width it had at the start.
    void ResetPanel(int panel);

private:
    void PlacePanels();

    struct TPanel {
        QLabel* Label;
        int Width;
    };
    QWidget* strip_;
    int startWidth_;
    std::vector<TPanel> panels_;
};
