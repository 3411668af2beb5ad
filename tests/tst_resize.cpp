#include "Fakes.h"
#include "app/Startup.h"
#include "frame/FittingLabel.h"
#include "frame/FormBase.h"
#include "frame/Shapes.h"
#include "frame/Twips.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"
#include "resize/clsResize.h"

#include <QLabel>
#include <QtTest>

namespace {

// A window laid out at 9000 x 6000 twips (600 x 400 pixels), so that a
// 1200 x 600 screen stretches it 2 x across and 1.5 x down.
class DesignForm : public FormBase {
public:
    DesignForm() : FormBase(QStringLiteral("DesignForm"), QStringLiteral("Design"), {9000, 6000})
    {
        // Without a frame the inner size is the screen size, as in the examples.
        setWindowFlag(Qt::FramelessWindowHint);
    }

    QLabel *label(const QString &name, QRect twips)
    {
        return add(new QLabel(name), name, twips.x(), twips.y(), twips.width(), twips.height());
    }
    Line *line(QPoint from, QPoint to)
    {
        auto *l = new Line(area(), {tw(from.x()), tw(from.y())}, {tw(to.x()), tw(to.y())}, Qt::black, 1);
        addControl(l, QStringLiteral("Line1"));
        return l;
    }
    void list(QObject *control, const QString &name) { addControl(control, name); }
};

// Opens a window the way every window opens: load at 75 %, then fill the screen.
void openFull(DesignForm &form)
{
    form.load();
    form.show();
    form.activate();
}

// Poses as a line and notes, at every write, whether its window was being
// redrawn.
class UpdateProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(int x1 READ zero WRITE note)
    Q_PROPERTY(int y1 READ zero WRITE note)
    Q_PROPERTY(int x2 READ zero WRITE note)
    Q_PROPERTY(int y2 READ zero WRITE note)
public:
    explicit UpdateProbe(QWidget *window) : window_(window) {}
    int zero() const { return 0; }
    void note(int) { updatesSeen.push_back(window_->updatesEnabled()); }
    std::vector<bool> updatesSeen;

private:
    QWidget *window_;
};

const QRect kPlaceTwips(1500, 3000, 3000, 1500);   // 100, 200, 200, 100 pixels

} // namespace

class TestResize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tagSelectsAdjustments_data();
    void tagSelectsAdjustments();
    void lineEndsScale_data();
    void lineEndsScale();
    void sizeFormToScreen_data();
    void sizeFormToScreen();
    void repeatedResizingKeepsTheLayout();
    void minimisingLeavesTheLayout();
    void laterAndDestroyedControls();
    void windowWithoutControls();
    void redrawSuspendedDuringTheWalk();
    void longInstructionsWholeOnASmallScreen_data();
    void longInstructionsWholeOnASmallScreen();
};

void TestResize::tagSelectsAdjustments_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QRect>("expected");
    const QRect all(200, 300, 400, 150);
    QTest::newRow("empty") << QString() << all;
    QTest::newRow("@ freezes") << QStringLiteral("@") << QRect(100, 200, 200, 100);
    QTest::newRow("@L,T moves only") << QStringLiteral("@L,T") << QRect(200, 300, 200, 100);
    QTest::newRow("lower case") << QStringLiteral("@l,t,w,h") << all;
    QTest::newRow("plain text") << QStringLiteral("text") << all;
    QTest::newRow("@WH stretches only") << QStringLiteral("@WH") << QRect(100, 200, 400, 150);
}

void TestResize::tagSelectsAdjustments()
{
    QFETCH(QString, tag);
    QFETCH(QRect, expected);
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    QLabel *label = form.label(QStringLiteral("Label1"), kPlaceTwips);
    label->setProperty("tag", tag);
    openFull(form);

    QCOMPARE(form.innerSize(), QSize(1200, 600));
    QCOMPARE(label->geometry(), expected);
}

void TestResize::lineEndsScale_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QLine>("expected");
    // (0, 3000)-(6000, 3000) twips becomes (0, 4500)-(12000, 4500).
    QTest::newRow("all four") << QString() << QLine(0, 300, 800, 300);
    QTest::newRow("@L,T keeps the second end") << QStringLiteral("@L,T") << QLine(0, 300, 400, 200);
}

void TestResize::lineEndsScale()
{
    QFETCH(QString, tag);
    QFETCH(QLine, expected);
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    Line *line = form.line({0, 3000}, {6000, 3000});
    line->setProperty("tag", tag);
    openFull(form);

    QCOMPARE(QLine(line->x1(), line->y1(), line->x2(), line->y2()), expected);
}

void TestResize::sizeFormToScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("800 x 600") << QSize(800, 600) << QRect(100, 75, 600, 450);
    QTest::newRow("sizes rounded down") << QSize(1366, 767) << QRect(171, 96, 1024, 575);
    QTest::newRow("odd margins") << QSize(1001, 601) << QRect(125, 75, 750, 450);
}

void TestResize::sizeFormToScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, expected);
    TestProgram program(TestProgram::Assets::None, screen);
    DesignForm form;
    QLabel *label = form.label(QStringLiteral("Label1"), kPlaceTwips);
    form.load();

    QCOMPARE(form.geometry(), expected);
    const double rx = expected.width() / 600.0;
    const double ry = expected.height() / 400.0;
    QCOMPARE(label->geometry(), QRect(qRound(100 * rx), qRound(200 * ry), qRound(200 * rx), qRound(100 * ry)));
}

void TestResize::repeatedResizingKeepsTheLayout()
{
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    QLabel *label = form.label(QStringLiteral("Label1"), {1515, 3015, 3015, 1515});
    Line *line = form.line({15, 2985}, {6015, 45});
    openFull(form);
    const QRect full = label->geometry();
    const QLine fullLine(line->x1(), line->y1(), line->x2(), line->y2());

    for (const QSize size : {QSize(601, 399), QSize(333, 777), QSize(1199, 37), QSize(7, 3), QSize(999, 599)})
        form.resize(size);
    form.resize(600, 400);
    QCOMPARE(label->geometry(), QRect(101, 201, 201, 101));
    QCOMPARE(QLine(line->x1(), line->y1(), line->x2(), line->y2()), QLine(1, 199, 401, 3));

    form.activate();
    QCOMPARE(label->geometry(), full);
    QCOMPARE(QLine(line->x1(), line->y1(), line->x2(), line->y2()), fullLine);
}

void TestResize::minimisingLeavesTheLayout()
{
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    QLabel *label = form.label(QStringLiteral("Label1"), kPlaceTwips);
    openFull(form);

    form.showMinimized();
    QVERIFY(form.isMinimized());
    form.resize(160, 28);
    QCOMPARE(label->geometry(), QRect(200, 300, 400, 150));

    form.showNormal();
    form.activate();
    QCOMPARE(label->geometry(), QRect(200, 300, 400, 150));
    form.resize(600, 400);
    QCOMPARE(label->geometry(), QRect(100, 200, 200, 100));
}

void TestResize::laterAndDestroyedControls()
{
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    QLabel *kept = form.label(QStringLiteral("Label1"), kPlaceTwips);
    QLabel *gone = form.label(QStringLiteral("Label2"), kPlaceTwips);
    openFull(form);

    // A cell made at activation, placed from the scaled template.
    QLabel *cell = form.label(QStringLiteral("Cella"), {0, 0, 0, 0});
    cell->setGeometry(kept->geometry().translated(0, 150));
    delete gone;
    form.resize(600, 400);

    QCOMPARE(kept->geometry(), QRect(100, 200, 200, 100));
    QCOMPARE(cell->geometry(), QRect(200, 450, 400, 150));
}

void TestResize::windowWithoutControls()
{
    TestProgram program(TestProgram::Assets::None, QSize(800, 600));
    DesignForm form;
    form.load();
    QCOMPARE(form.geometry(), QRect(100, 75, 600, 450));
    form.show();
    form.activate();
    QCOMPARE(form.innerSize(), QSize(800, 600));
}

void TestResize::redrawSuspendedDuringTheWalk()
{
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    DesignForm form;
    auto *probe = new UpdateProbe(&form);
    probe->setParent(&form);
    form.list(probe, QStringLiteral("Line1"));
    openFull(form);

    QVERIFY(!probe->updatesSeen.empty());
    QVERIFY(std::none_of(probe->updatesSeen.begin(), probe->updatesSeen.end(), [](bool on) { return on; }));
    QVERIFY(form.updatesEnabled());

    // A window whose redrawing someone else suspended stays suspended.
    form.setUpdatesEnabled(false);
    form.resize(600, 400);
    QVERIFY(!form.updatesEnabled());
}

void TestResize::longInstructionsWholeOnASmallScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("instructions");
    QStringList colc;
    for (int id = 64; id <= 90; ++id)
        if (id != 83)
            colc << QStringLiteral("00%1").arg(id);
    const QStringList reti = {"0044", "0045", "0046", "0047", "0051", "0048\n0052", "0049\n0053", "0050\n0054"};
    const QList<std::pair<const char *, QStringList>> windows = {
        {"FormColc", colc},
        {"Formreti", reti},
        {"Formu", {"0014", "0015", "0016"}},
        {"Formdau", {"0011", "0012", "0013"}},
        {"Formhdau", {"0017", "0018", "0019"}},
        {"FormdauS", {"0020", "0021"}},
        {"FormhdauS", {"0025", "0026"}},
        {"formdau99", {"0022", "0023", "0024"}},
        {"Reticoli", {"0004", "0005"}},
    };
    for (const char *language : {"Italiano", "English"})
        for (const auto &[window, ids] : windows)
            QTest::addRow("%s %s", window, language) << window << ids;
}

// At 800 x 600 the window shrinks but its fonts do not: every instruction,
// carries announced above the next step included, must still be whole, and
// large enough to read.
void TestResize::longInstructionsWholeOnASmallScreen()
{
    QFETCH(QString, window);
    QFETCH(QStringList, instructions);
    TestProgram program(TestProgram::Assets::Shipped, QSize(800, 600));
    // Measured in the fonts the program ships, as the child sees them.
    static const bool fontsShipped = [&] {
        QFile::link(QStringLiteral(QUADRIVEL_ASSETS_DIR "/fonts"), program.folder() + QStringLiteral("/fonts"));
        registerFonts();
        return true;
    }();
    Q_UNUSED(fontsShipped);
    state().currentLanguageName = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 1);
    FormBase *form = openWindow(window);
    QVERIFY(form);
    auto *label = form->findChild<FittingLabel *>(QStringLiteral("Label3"));
    QVERIFY(label);
    for (const QString &ids : instructions) {
        QStringList lines;
        for (const QString &id : ids.split(QLatin1Char('\n')))
            lines << MLSGetString(id);
        label->setText(lines.join(QLatin1Char('\n')));
        QVERIFY2(!lines.contains(QString()), qPrintable(ids));
        const QFont font = label->paintedFont();
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        const QRect needed = QFontMetrics(font).boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        QVERIFY2(room.contains(needed), qPrintable(ids + QStringLiteral(" needs %1 px").arg(needed.height())));
        QVERIFY2(QFontInfo(font).pixelSize() >= 12, qPrintable(ids));
    }
    closeAllWindows();
}

QTEST_MAIN(TestResize)
#include "tst_resize.moc"
