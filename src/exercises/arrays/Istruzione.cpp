#include "exercises/arrays/Istruzione.h"

Istruzione::Istruzione(const QString &caption) : FittingLabel(caption)
{
    setAlignment(Qt::AlignCenter);
    setMargin(8);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(60, 60, 90), QColor(255, 255, 240)));
}
