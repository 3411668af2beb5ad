#pragma once

#include <QColor>
#include <QWidget>

// A straight line drawn on its parent. Its end points are the properties x1,
// y1, x2 and y2 in the parent's coordinates, which is how the resizer knows a
// line from any other control.
class Line : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int x1 READ x1 WRITE setX1)
    Q_PROPERTY(int y1 READ y1 WRITE setY1)
    Q_PROPERTY(int x2 READ x2 WRITE setX2)
    Q_PROPERTY(int y2 READ y2 WRITE setY2)
public:
    Line(QWidget *parent, QPoint from, QPoint to, const QColor &colour, int width);

    int x1() const { return from_.x(); }
    int y1() const { return from_.y(); }
    int x2() const { return to_.x(); }
    int y2() const { return to_.y(); }
    void setX1(int v);
    void setY1(int v);
    void setX2(int v);
    void setY2(int v);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QPoint from_;
    QPoint to_;
    QColor colour_;
    int width_;
};

// A filled rectangle with a border, like the cells of a counting table.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(QWidget *parent, const QColor &fill, const QColor &border, int borderWidth);

    QColor fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fill_;
    QColor border_;
    int borderWidth_;
};
