#include "exercises/pictures/PictureBox.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Pictures already fitted to a box, so that a picture seen again at the same
// size, in this window or the next, is neither read nor scaled again. Keyed
// by the file's identity, so a replaced file is read afresh, and by the size.
// Costs are in kilobytes. Used on the GUI thread only.
QCache<QString, QImage> &fittedPictures()
{
    static QCache<QString, QImage> cache(24 * 1024);
    return cache;
}

QString identity(const QFileInfo &info)
{
    return info.absoluteFilePath() + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

QString cacheKey(const QString &identity, QSize box, qreal ratio)
{
    return identity + QStringLiteral("|%1x%2@%3").arg(box.width()).arg(box.height()).arg(ratio);
}

// The picture scaled to fit a box of device pixels, keeping its proportions,
// filtered as a painter draws it: cheaper than the toolkit's smooth scaling
// and the very look the picture had when it was scaled at each paint. Null
// when the box is empty.
QImage fit(const QImage &picture, QSize box, qreal ratio)
{
    if (picture.isNull() || box.isEmpty())
        return {};
    const QSize size = picture.size().scaled(box, Qt::KeepAspectRatio);
    if (size.isEmpty())
        return {};
    QImage fitted = picture;
    if (size != picture.size()) {
        const bool alpha = picture.hasAlphaChannel();
        fitted = QImage(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        if (alpha)
            fitted.fill(Qt::transparent);
        QPainter painter(&fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), picture);
    }
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

const QColor kPanel(238, 234, 224);
const QColor kPanelBorder(200, 192, 176);

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

// A read still running must end before the box goes: it is waited for here.
PictureBox::~PictureBox() = default;

QSize PictureBox::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

bool PictureBox::load(const QString &path)
{
    loadInBackground(path);
    return hasPicture();
}

void PictureBox::loadInBackground(const QString &path)
{
    finish();
    path_ = path;
    picture_ = QImage();
    fitted_ = QImage();
    readable_ = false;
    const QFileInfo info(path);
    identity_ = info.isFile() ? identity(info) : QString();
    if (!identity_.isEmpty())
        prepare({});
    update();
}

void PictureBox::prepare(const QImage &picture)
{
    const qreal ratio = devicePixelRatioF();
    const QSize box = deviceSize();
    fittedFor_ = box;
    pendingKey_ = cacheKey(identity_, box, ratio);
    if (const QImage *cached = fittedPictures().object(pendingKey_)) {
        fitted_ = *cached;
        readable_ = true;
        return;
    }
    const QString path = path_;
    // Reading and scaling touch nothing but these copies. Where no thread
    // can be started, the work runs when it is first waited for.
    pending_ = std::async(std::launch::async | std::launch::deferred, [path, picture, box, ratio] {
        Prepared result;
        result.picture = picture;
        if (result.picture.isNull()) {
            QImageReader reader(path);
            result.picture = reader.read();
        }
        result.fitted = fit(result.picture, box, ratio);
        return result;
    });
}

void PictureBox::finish() const
{
    if (!pending_.valid())
        return;
    Prepared result = pending_.get();
    picture_ = result.picture;
    fitted_ = result.fitted;
    readable_ = !picture_.isNull();
    if (!fitted_.isNull())
        fittedPictures().insert(pendingKey_, new QImage(fitted_), std::max<qsizetype>(1, fitted_.sizeInBytes() / 1024));
}

bool PictureBox::hasPicture() const
{
    finish();
    return readable_;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    finish();
    // Resized since it was fitted: fitted again, from the picture kept or,
    // when it came from the cache, from its file.
    if (readable_ && fittedFor_ != deviceSize()) {
        fitted_ = QImage();
        prepare(picture_);
        finish();
    }
    QPainter painter(this);
    if (!readable_) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kPanelBorder, 2));
        painter.setBrush(kPanel);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
        return;
    }
    if (fitted_.isNull())
        return;
    // Already at the size shown: copied, not scaled.
    const QSize shown = fitted_.deviceIndependentSize().toSize();
    painter.drawImage(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), fitted_);
}
