#pragma once

#include <QImage>
#include <QWidget>

// An image control that shows a picture file fitted into its area, keeping
// the picture's proportions, drawn smooth at any size. A file that is missing
// or cannot be read leaves a plain neutral panel in its place and reports
// nothing: the problem beside it can still be answered.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Shows the picture of the file at path; false when it could not be read.
    bool load(const QString &path);
    bool hasPicture() const { return !image_.isNull(); }
    const QString &path() const { return path_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString path_;
    QImage image_;
};
