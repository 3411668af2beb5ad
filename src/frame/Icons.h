#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>

class QPainter;

// The program's pictures, drawn as vectors at whatever size and pixel
// density they are shown, so they stay sharp on any screen.
enum class IconKind {
    Yes,    // a green disc with a white tick
    No,     // a red disc with a white cross
    Lamp,   // a golden magic lamp, for the help button
    Speaker,   // a loudspeaker with sound waves, for reading aloud
};

// Paints the picture into the largest square centred in area.
void paintIcon(QPainter &painter, const QRectF &area, IconKind kind);

// The picture as an icon for buttons: painted afresh for each size.
QIcon vectorIcon(IconKind kind);

// The picture as a 256-pixel image.
QPixmap iconPixmap(IconKind kind);

// A label that shows one of the pictures, filling its size (drawn once per
// size and pixel density, then copied).
class IconLabel : public QLabel {
    Q_OBJECT
public:
    explicit IconLabel(IconKind kind, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    IconKind kind_;
};
