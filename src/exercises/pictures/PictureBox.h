#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

// An image control that shows a picture file fitted into its area, keeping
// the picture's proportions, drawn smooth at any size. A file that is missing
// or cannot be read leaves a plain neutral panel in its place and reports
// nothing: the problem beside it can still be answered.
//
// The picture is read and fitted to the control's size on a worker thread
// while the rest of the window is built and painted; its first paint, and
// anything that asks about it, takes the result over (see Job).
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    // Shows the picture of the file at path, returning at once: the picture
    // is read in the background. hasPicture() tells, once it is read,
    // whether it could be.
    void load(const QString &path);
    bool hasPicture() const;
    const QString &path() const { return path_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // What the work hands back: the picture as read (null when it could
    // not be) and the picture fitted to the box.
    struct Prepared {
        QImage picture;
        QImage fitted;
    };
    struct Job;

    // Reads the picture (unless it is given) and fits it to a box of device
    // pixels. Touches nothing of the box: it runs on a worker thread.
    static Prepared work(const QString &path, QImage picture, QSize box, qreal ratio);

    // Starts fitting picture (read from the file when null) to the box's
    // present size, unless the cache has it so already.
    void prepare(const QImage &picture);
    // Takes over the result of the work in flight, if any.
    void finish() const;
    QSize deviceSize() const;

    QString path_;
    QString identity_;          // the file's identity, empty when there is no file
    mutable QImage picture_;    // as read, kept to fit it again at a new size
    mutable QImage fitted_;     // at the size shown, in device pixels
    mutable bool readable_ = false;
    QSize fittedFor_;           // the box, in device pixels, the picture is fitted to
    QString pendingKey_;        // where the picture being fitted goes in the cache
    mutable std::shared_ptr<Job> job_;   // the work in flight, if any
};
