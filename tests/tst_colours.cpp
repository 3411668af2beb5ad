// Every control with a face of its own stays visible on every colour its
// window can take: the face stands out from what it is shown on at 3 to 1,
// or the outline drawn just around it stands out from both.

#include "Fakes.h"
#include "app/Windows.h"
#include "frame/FormBase.h"

#include <QLineEdit>
#include <QtTest>

class TestColours : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colouredControlsStandOut();
};

namespace {

// The face a control shows of its own; invalid when it shows its parent's.
QColor faceOf(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w))
        return w->palette().color(w->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base);
    if (w->autoFillBackground())
        return w->palette().color(w->backgroundRole());
    return {};
}

QString colourName(const QColor &c)
{
    return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

// Each window is opened once for every entry of the colour table, drawn as
// its first number: the colour it then shows is the one it took.
void TestColours::colouredControlsStandOut()
{
    QStringList faults;
    for (const auto &[name, factory] : programWindows()) {
        for (int entry = 0; entry < 18; ++entry) {
            TestProgram program;
            // Windows with a colour of their own draw something else first.
            program.rnd->push((entry + 0.5) / 18);
            FormBase *form = openWindow(name);
            QVERIFY(form);
            const QColor background = form->background();
            // The controls shown on the window's colour; those that a later
            // step shows (carries) count too.
            const QList<QWidget *> controls = form->area()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            for (QWidget *w : controls)
                if (faceOf(w).isValid() && w->isHidden())
                    w->show();
            const QImage shot = form->grab().toImage();
            for (QWidget *w : controls) {
                const QColor face = faceOf(w);
                if (!w->isVisible() || !face.isValid() || face == background || contrast(face, background) >= 3)
                    continue;
                const QRect r(w->mapTo(form, QPoint(0, 0)), w->size());
                const QPoint around[] = {{r.left() - 1, r.center().y()}, {r.right() + 1, r.center().y()},
                                         {r.center().x(), r.top() - 1}, {r.center().x(), r.bottom() + 1}};
                for (const QPoint &at : around) {
                    const QColor rim = shot.pixelColor(at);
                    if (contrast(rim, face) < 3 || contrast(rim, background) < 3) {
                        faults << QStringLiteral("%1 %2 (%3) on %4").arg(name, w->objectName(), colourName(face),
                                                                          colourName(background));
                        break;
                    }
                }
            }
            closeAllWindows();
        }
    }
    faults.removeDuplicates();
    for (const QString &fault : faults)
        qWarning("vanishes: %s", qPrintable(fault));
    QVERIFY(faults.isEmpty());
}

QTEST_MAIN(TestColours)
#include "tst_colours.moc"
