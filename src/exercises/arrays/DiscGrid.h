#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

// A control array of filled discs on a square grid, drawn by one widget:
// disc i stands in row i / columns and column i % columns. Each disc is shown
// or hidden on its own, as the discs of a place-value array are. The widget
// spans the grid in layout units, so the resizer scales it like any control;
// the discs stay round at any scale.
class DiscGrid : public QWidget {
    Q_OBJECT
public:
    // Disc diameter and grid pitch in twips.
    static constexpr int kDiameter = 255;
    static constexpr int kPitch = 360;

    DiscGrid(int count, int columns, const QColor &colour);

    // The size in twips of a grid of count discs, columns to a row.
    static QSize twipsSize(int count, int columns);

    int count() const { return static_cast<int>(shown_.size()); }
    int columns() const { return columns_; }
    QColor colour() const { return colour_; }

    bool isShown(int index) const { return shown_[static_cast<std::size_t>(index)]; }
    // Shows the discs first to last (indexes past the end are skipped).
    void showRange(int first, int last);
    void hideAll();
    int shownCount() const;
    // Hides the first n discs on show in index order.
    void hideFirstShown(int n);
    // Shows the first hidden disc in index order; false when all are on show.
    bool showFirstHidden();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void changed();

    int columns_;
    QColor colour_;
    std::vector<bool> shown_;
};
