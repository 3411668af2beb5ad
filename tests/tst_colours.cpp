// Every control with a face of its own stays visible on every colour its
// window can take: the face stands out from what it is shown on at 3 to 1,
// or the outline drawn just around it stands out from both.

#include "Fakes.h"
#include "app/Windows.h"
#include "frame/FormBase.h"
#include "frame/Outline.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestColours : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colouredControlsStandOut();
    void rimFollowsItsControl_data();
    void rimFollowsItsControl();
    void noRimWhereNoneIsNeeded_data();
    void noRimWhereNoneIsNeeded();
};

namespace {

// The parts of a widget painted since the last clear.
class PaintedRegion : public QObject {
public:
    explicit PaintedRegion(QWidget *w) : QObject(w) { w->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

void setFace(QWidget *w, const QColor &face)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, face);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

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

void TestColours::rimFollowsItsControl_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QRect>("repainted");
    // The box is at (100, 100), 40 x 40; its rim is 2 pixels wide.
    QTest::newRow("turns red") << "red" << QRect(98, 98, 44, 44);
    QTest::newRow("hidden") << "hide" << QRect(98, 98, 44, 44);
    QTest::newRow("moved") << "move" << QRect(98, 98, 84, 44);
    QTest::newRow("grown") << "grow" << QRect(98, 98, 64, 64);
}

// A box's own repaint covers its face, never the rim around it: the window
// behind must repaint the rim whenever the box changes, or a stale rim stays.
void TestColours::rimFollowsItsControl()
{
    QFETCH(QString, change);
    QFETCH(QRect, repainted);
    QWidget window;
    window.resize(400, 300);
    setFace(&window, QColor(255, 192, 128));
    auto *box = new QLabel(&window);
    box->setGeometry(100, 100, 40, 40);
    setFace(box, change == QLatin1String("red") ? Qt::blue : Qt::red);
    outlineFadingChildren(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *record = new PaintedRegion(&window);
    QTest::qWait(20);
    record->painted = QRegion();

    if (change == QLatin1String("red"))
        setFace(box, Qt::red);
    else if (change == QLatin1String("hide"))
        box->hide();
    else if (change == QLatin1String("move"))
        box->move(140, 100);
    else
        box->resize(60, 60);
    QTRY_VERIFY2(record->painted.contains(repainted),
                 qPrintable(QStringLiteral("%1 rectangles").arg(record->painted.rectCount())));
}

void TestColours::noRimWhereNoneIsNeeded_data()
{
    QTest::addColumn<QColor>("face");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QPoint>("at");        // in the window, the box being at (100, 100), 40 x 40
    QTest::addColumn<QColor>("shown");
    QTest::newRow("faded face: a black rim") << QColor(Qt::red) << false << QPoint(99, 120) << QColor(Qt::black);
    QTest::newRow("hidden: the window's colour") << QColor(Qt::red) << true << QPoint(120, 120)
                                                 << QColor(255, 192, 128);
    QTest::newRow("the window's own face") << QColor(255, 192, 128) << false << QPoint(99, 120)
                                           << QColor(255, 192, 128);
}

// A rim is drawn as a block the control then covers: one drawn for a hidden
// control, or for a face that needs none, stays in sight.
void TestColours::noRimWhereNoneIsNeeded()
{
    QFETCH(QColor, face);
    QFETCH(bool, hidden);
    QFETCH(QPoint, at);
    QFETCH(QColor, shown);
    QWidget window;
    window.resize(400, 300);
    setFace(&window, QColor(255, 192, 128));
    auto *box = new QLabel(&window);
    box->setGeometry(100, 100, 40, 40);
    setFace(box, face);
    box->setVisible(!hidden);
    outlineFadingChildren(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.grab().toImage().pixelColor(at), shown);
}

QTEST_MAIN(TestColours)
#include "tst_colours.moc"
