#pragma once

#include <QWidget>

// The dot lattice: ten vertical and ten horizontal lines through the centres
// of a 10 x 10 grid of dots (on the pitch of the disc grids), drawn by one
// widget. The first lines of each kind are on show, from the left and from
// the top; a dot is on show where two shown lines cross.
class Lattice : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLines = 10;
    // The lines reach this far beyond the outer dots' centres, in twips.
    static constexpr int kOverhang = 300;

    Lattice();

    // The widget's size in twips.
    static QSize twipsSize();

    void setLinee(int orizzontali, int verticali);
    int orizzontali() const { return orizzontali_; }
    int verticali() const { return verticali_; }
    bool puntoVisibile(int index) const { return index / kLines < orizzontali_ && index % kLines < verticali_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    int orizzontali_ = 0;
    int verticali_ = 0;
};
