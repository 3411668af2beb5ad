#include "Fakes.h"
#include "feedback/Feedback.h"

#include <QtTest>

class TestFeedback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colourTable_data();
    void colourTable();
    void colourFrequencies();
    void avoidedColourGivesWay_data();
    void avoidedColourGivesWay();
    void yesSoundDrawsAndPlays_data();
    void yesSoundDrawsAndPlays();
    void silentWhenSwitchedOff();
    void noSoundRestartsEachTime();
    void clockRandomStaysBelowOne();
    void scriptedRangeIsChecked();
};

void TestFeedback::colourTable_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    const int rgb[18][3] = {{255, 192, 192}, {255, 128, 128}, {255, 255, 192}, {255, 192, 128}, {255, 128, 0},
                            {255, 255, 192}, {255, 128, 128}, {192, 64, 0},    {128, 255, 128}, {255, 192, 128},
                            {192, 255, 255}, {0, 255, 255},   {192, 192, 255}, {255, 192, 255}, {255, 192, 255},
                            {224, 224, 224}, {255, 192, 255}, {255, 0, 255}};
    for (int n = 1; n <= 18; ++n)
        QTest::addRow("entry %d", n) << n << rgb[n - 1][0] << rgb[n - 1][1] << rgb[n - 1][2];
}

void TestFeedback::colourTable()
{
    QFETCH(int, n);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    TestProgram program;
    program.rnd->draw(n - 1, 18);
    QCOMPARE(ColoreCasuale(), QColor(r, g, b));
    QCOMPARE(program.rnd->remaining(), 0u);
    QCOMPARE(program.rnd->unscripted, 0);
}

void TestFeedback::colourFrequencies()
{
    // Evenly spread draws hit every entry equally often, so the repeated
    // entries show in the counts of their colours.
    TestProgram program;
    constexpr int kDraws = 18 * 100;
    for (int i = 0; i < kDraws; ++i)
        program.rnd->push((i + 0.5) / kDraws);
    QMap<QRgb, int> seen;
    for (int i = 0; i < kDraws; ++i)
        ++seen[ColoreCasuale().rgb()];
    QCOMPARE(seen.size(), 13);   // 18 entries, five of them repeats
    QCOMPARE(seen.value(qRgb(255, 192, 255)), 300);
    QCOMPARE(seen.value(qRgb(255, 0, 255)), 100);
    QCOMPARE(seen.value(qRgb(255, 255, 192)), 200);
}

void TestFeedback::avoidedColourGivesWay_data()
{
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QColor>("expected");
    // Magenta, the last entry, gives way to the first; entries 14 and 15
    // (255, 192, 255) both give way to the grey of entry 16.
    QTest::newRow("last wraps to first") << 17 << QColor(255, 192, 192);
    QTest::newRow("runs of avoided skipped") << 13 << QColor(224, 224, 224);
    QTest::newRow("others kept") << 7 << QColor(192, 64, 0);
}

void TestFeedback::avoidedColourGivesWay()
{
    QFETCH(int, drawn);
    QFETCH(QColor, expected);
    TestProgram program;
    program.rnd->draw(drawn, 18);
    QCOMPARE(ColoreCasuale({qRgb(255, 0, 255), qRgb(255, 192, 255)}), expected);
    QCOMPARE(program.rnd->drawn, std::size_t(1));   // one draw, whatever it maps to
}

void TestFeedback::yesSoundDrawsAndPlays_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("file");
    QTest::newRow("lowest") << 0.0 << "si1.wav";
    QTest::newRow("just below a quarter") << 0.2499 << "si1.wav";
    QTest::newRow("a quarter") << 0.25 << "si2.wav";
    QTest::newRow("middle") << 0.6 << "si3.wav";
    QTest::newRow("highest") << 0.9999999 << "si4.wav";
}

void TestFeedback::yesSoundDrawsAndPlays()
{
    QFETCH(double, draw);
    QFETCH(QString, file);
    TestProgram program;
    program.rnd->push(draw);
    SuonoSi();
    QCOMPARE(program.rnd->remaining(), 0u);
    QCOMPARE(program.sound->played.size(), 1u);
    QCOMPARE(program.sound->played.front(), QDir(program.folder()).filePath(QStringLiteral("suoni/") + file));
}

void TestFeedback::silentWhenSwitchedOff()
{
    TestProgram program;
    state().suoniAttivati = false;
    program.rnd->push(0.5);
    SuonoSi();
    SuonoNo();
    QVERIFY(program.sound->played.empty());
    QCOMPARE(program.rnd->remaining(), 1u);   // no draw: the exercises' draws are not shifted
}

void TestFeedback::noSoundRestartsEachTime()
{
    TestProgram program;
    SuonoNo();
    SuonoNo();
    QCOMPARE(program.sound->played.size(), 2u);
    QVERIFY(program.sound->played.back().endsWith(QStringLiteral("suoni/no.wav")));
    QCOMPARE(program.rnd->unscripted, 0);
}

void TestFeedback::clockRandomStaysBelowOne()
{
    ClockRandom random;
    double lowest = 1;
    double highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const double v = random.next();
        QVERIFY(v >= 0.0 && v < 1.0);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    QVERIFY(lowest < 0.001);
    QVERIFY(highest > 0.999);
}

// The colour table has 18 entries: a draw scripted for 17 must fail the
// test that scripted it, or a table shrunk by one would pass unseen.
void TestFeedback::scriptedRangeIsChecked()
{
    TestProgram program;
    program.rnd->draw(16, 17);
    QEXPECT_FAIL("", "the window drew from 18 colours, the test scripted 17", Continue);
    ColoreCasuale();
    QCOMPARE(program.rnd->remaining(), 0u);
}

QTEST_MAIN(TestFeedback)
#include "tst_feedback.moc"
