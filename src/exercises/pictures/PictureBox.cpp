#include "exercises/pictures/PictureBox.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace {

// Decoded pictures, so that a picture seen again, in this window or the next,
// is not decoded again. Keyed by the file's identity, so a replaced file is
// read afresh. Costs are in kilobytes.
QCache<QString, QImage> &decoded()
{
    static QCache<QString, QImage> cache(24 * 1024);
    return cache;
}

QString identity(const QFileInfo &info)
{
    return info.absoluteFilePath() + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

const QColor kPanel(238, 234, 224);
const QColor kPanelBorder(200, 192, 176);

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

bool PictureBox::load(const QString &path)
{
    path_ = path;
    image_ = QImage();
    const QFileInfo info(path);
    if (info.isFile()) {
        const QString key = identity(info);
        if (const QImage *cached = decoded().object(key)) {
            image_ = *cached;
        } else {
            QImageReader reader(path);
            QImage image = reader.read();
            if (!image.isNull()) {
                image_ = image;
                decoded().insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes() / 1024));
            }
        }
    }
    update();
    return !image_.isNull();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (image_.isNull()) {
        painter.setPen(QPen(kPanelBorder, 2));
        painter.setBrush(kPanel);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
        return;
    }
    // Filtered while it is drawn: no scaled copy to make at each new size.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize target = image_.size().scaled(size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint((width() - target.width()) / 2, (height() - target.height()) / 2), target),
                      image_);
}
