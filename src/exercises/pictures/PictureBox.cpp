#include "exercises/pictures/PictureBox.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

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

} // namespace

// The work handed to a worker thread, shared by it and the box. On a busy
// machine the worker may get no processor in time: the box waits only for a
// worker already at work, and not for long, and otherwise does the work
// itself; the worker then skips it, or finishes it for nothing.
struct PictureBox::Job {
    QString path;
    QImage picture;
    QSize box;
    qreal ratio = 1;

    std::mutex mutex;
    std::condition_variable finished;
    bool started = false;
    bool done = false;
    bool abandoned = false;
    Prepared result;
};

namespace {

// How long the box waits for a worker that has started before it does the
// work itself: about what the work takes when it has a processor to itself.
constexpr std::chrono::microseconds kPatience(1500);

const QColor kPanel(238, 234, 224);
const QColor kPanelBorder(200, 192, 176);

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

PictureBox::Prepared PictureBox::work(const QString &path, QImage picture, QSize box, qreal ratio)
{
    if (picture.isNull())
        picture = QImageReader(path).read();
    Prepared result;
    result.fitted = fit(picture, box, ratio);
    result.picture = std::move(picture);
    return result;
}

PictureBox::~PictureBox()
{
    // A worker not yet at work need not start for a box that is gone.
    if (job_) {
        std::lock_guard<std::mutex> lock(job_->mutex);
        job_->abandoned = true;
    }
}

QSize PictureBox::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void PictureBox::load(const QString &path)
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
    auto job = std::make_shared<Job>();
    job->path = path_;
    job->picture = picture;
    job->box = box;
    job->ratio = ratio;
    job_ = job;
    // The worker touches nothing but the job: the box may be gone when it runs.
    QThreadPool::globalInstance()->start([job] {
        {
            std::lock_guard<std::mutex> lock(job->mutex);
            if (job->abandoned)
                return;
            job->started = true;
        }
        Prepared result = work(job->path, job->picture, job->box, job->ratio);
        std::lock_guard<std::mutex> lock(job->mutex);
        job->result = std::move(result);
        job->done = true;
        job->finished.notify_all();
    });
}

void PictureBox::finish() const
{
    if (!job_)
        return;
    const std::shared_ptr<Job> job = std::exchange(job_, nullptr);
    Prepared result;
    bool ready;
    {
        std::unique_lock<std::mutex> lock(job->mutex);
        if (job->started)
            job->finished.wait_for(lock, kPatience, [&] { return job->done; });
        ready = job->done;
        if (ready)
            result = std::move(job->result);
        else
            job->abandoned = true;
    }
    if (!ready)
        result = work(job->path, job->picture, job->box, job->ratio);
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
