#include "Fakes.h"
#include "exercises/arrays/ArrayForm.h"
#include "exercises/arrays/DiscGrid.h"
#include "exercises/arrays/Formdau.h"
#include "exercises/arrays/formdau99.h"
#include "exercises/arrays/FormdauS.h"
#include "exercises/arrays/Formhdau.h"
#include "exercises/arrays/FormhdauS.h"
#include "exercises/arrays/Formu.h"
#include "exercises/arrays/Lattice.h"
#include "exercises/arrays/Reticoli.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using Draws = QList<QPoint>;   // (n, k): the next floor(Rnd x k) gives n

namespace {

void script(TestProgram &program, const Draws &draws)
{
    for (const QPoint &d : draws)
        program.rnd->draw(d.x(), d.y());
}

void answer(DigitBox *box, const QString &digits)
{
    box->setFocus();
    QTest::keyClicks(box, digits);
    QTest::keyClick(box, Qt::Key_Return);
}

Posto posto(QChar letter)
{
    return letter == u'h' ? Posto::Centinaia : letter == u'd' ? Posto::Decine : Posto::Unita;
}

// "h6d1u2": hundreds, tens and units as the test reads them.
QString places(const std::function<int(Posto)> &of)
{
    return QStringLiteral("h%1d%2u%3").arg(of(Posto::Centinaia)).arg(of(Posto::Decine)).arg(of(Posto::Unita));
}

// Plays a script of a child's steps on an array window, checking as it goes:
//   u7 d2 h4   press key 7 of the units (tens, hundreds) keypad; "x3" repeats
//   C1 C2      the units-to-tens or tens-to-hundreds "Cambio"; "x3" repeats
//   t21        type 21 and press Enter
//   ?0015      the instruction shows string 0015 (and with 0016-like result
//              strings the answer box is enabled)
//   =h0d2u1    the counts;  #h0d2u1  the discs on show
//   +1 !1      right and wrong answers counted so far
void play(ArrayForm *w, const QString &steps)
{
    static const QRegularExpression step(QStringLiteral("^([udhC])(\\d)(?:x(\\d+))?$"));
    for (const QString &s : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString what = s.mid(1);
        if (const QRegularExpressionMatch m = step.match(s); m.hasMatch()) {
            const int times = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
            const int n = m.captured(2).toInt();
            QPushButton *button = s[0] == u'C' ? (n == 1 ? w->Command3D2 : w->Command3D3)
                                               : w->tastiera(posto(s[0]))[static_cast<std::size_t>(n - 1)];
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(button, Qt::LeftButton);
        } else if (s[0] == u't') {
            answer(w->Text1, what);
        } else if (s[0] == u'?') {
            COMPARE_STRING_ID(w->Label3->text(), what);
        } else if (s[0] == u'=') {
            QCOMPARE(places([w](Posto p) { return w->conta(p); }), what);
        } else if (s[0] == u'#') {
            QCOMPARE(places([w](Posto p) { return w->dischi(p) ? w->dischi(p)->shownCount() : 0; }), what);
        } else if (s[0] == u'+') {
            QCOMPARE(int(state().contaEsatti), what.toInt());
        } else if (s[0] == u'!') {
            QCOMPARE(int(state().contaErrati), what.toInt());
        } else {
            QFAIL(qPrintable(QStringLiteral("bad step ") + s));
        }
    }
}

} // namespace

class TestArrays : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        program_ = std::make_unique<TestProgram>();
        // Sounds off: only the draws of the exercises are scripted.
        state().suoniAttivati = false;
        state().currentLanguageName = readLanguageSetting();
    }
    void cleanup() { program_.reset(); }

    void generators_data();
    void generators();
    void workedExamples_data();
    void workedExamples();
    void answerCheck();
    void cambioBeforeTheCountMatches();
    void regroupedDiscsLeaveTheFirstPlaces();
    void discsAreRoundAtAnyScale();

    void reticoliGenerator_data();
    void reticoliGenerator();
    void reticoliLines_data();
    void reticoliLines();
    void reticoliChoiceOfTerms();

    void spokenSentence_data();
    void spokenSentence();
    void readAloudOnlyWhenOn_data();
    void readAloudOnlyWhenOn();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestArrays::generators_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("secondo");
    QTest::newRow("Formu 3 x 7") << "Formu" << Draws{{2, 9}, {6, 9}} << 3 << 7;
    QTest::newRow("FormdauS 23 x 3") << "FormdauS" << Draws{{3, 24}, {1, 3}, {3, 5}, {1, 3}, {1, 4}} << 23 << 3;
    QTest::newRow("FormdauS r = 1 gives 0, no lowering")
        << "FormdauS" << Draws{{0, 24}, {0, 3}, {9, 10}, {0, 3}, {7, 8}} << 89 << 0;
    QTest::newRow("FormdauS weighted r = 24, digits lowered")
        << "FormdauS" << Draws{{23, 24}, {0, 3}, {8, 10}, {0, 3}, {6, 8}} << 33 << 3;
    QTest::newRow("FormdauS third ranges") << "FormdauS" << Draws{{9, 24}, {2, 3}, {2, 3}, {2, 3}, {1, 2}} << 11 << 9;
    QTest::newRow("formdau99 27 x 3") << "formdau99" << Draws{{2, 8}, {6, 9}, {2, 9}} << 27 << 3;
    QTest::newRow("formdau99 reductions")
        << "formdau99"
        << Draws{{7, 8}, {8, 9}, {8, 9}, {1, 3}, {0, 3}, {2, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}}
        << 9 << 7;
    QTest::newRow("Formdau 68 x 9") << "Formdau" << Draws{{6, 8}, {7, 9}, {8, 9}} << 68 << 9;
    QTest::newRow("Formdau 79 x 9 unbounded") << "Formdau" << Draws{{7, 8}, {8, 9}, {8, 9}} << 79 << 9;
    QTest::newRow("FormhdauS 213 x 3")
        << "FormhdauS" << Draws{{3, 24}, {0, 3}, {3, 10}, {0, 3}, {0, 8}, {0, 3}, {2, 9}} << 213 << 3;
    QTest::newRow("FormhdauS hundreds lowered")
        << "FormhdauS" << Draws{{4, 24}, {1, 3}, {4, 5}, {2, 3}, {1, 2}, {0, 3}, {8, 9}} << 222 << 4;
    QTest::newRow("FormhdauS top digits, 889 x 1")
        << "FormhdauS" << Draws{{1, 24}, {0, 3}, {9, 10}, {0, 3}, {7, 8}, {0, 3}, {8, 9}} << 889 << 1;
    QTest::newRow("Formhdau 158 x 6") << "Formhdau" << Draws{{1, 5}, {5, 8}, {7, 9}, {5, 9}} << 158 << 6;
    QTest::newRow("Formhdau 479 lowers 9 to 2") << "Formhdau" << Draws{{4, 5}, {7, 8}, {8, 9}, {8, 9}} << 479 << 2;
}

void TestArrays::generators()
{
    QFETCH(QString, window);
    QFETCH(Draws, draws);
    QFETCH(int, primo);
    QFETCH(int, secondo);
    static const std::map<QString, ArrayForm::Fattori (*)()> generators = {
        {QStringLiteral("Formu"), &Formu::estraiFattori},         {QStringLiteral("FormdauS"), &FormdauS::estraiFattori},
        {QStringLiteral("formdau99"), &formdau99::estraiFattori}, {QStringLiteral("Formdau"), &Formdau::estraiFattori},
        {QStringLiteral("FormhdauS"), &FormhdauS::estraiFattori}, {QStringLiteral("Formhdau"), &Formhdau::estraiFattori},
    };
    script(*program_, draws);
    const ArrayForm::Fattori f = generators.at(window)();
    QCOMPARE(f.primoFattore, primo);
    QCOMPARE(f.secondoFattore, secondo);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestArrays::workedExamples_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<QString>("steps");
    QTest::newRow("Formu 3 x 7, two regroupings")
        << "Formu" << Draws{{2, 9}, {6, 9}}
        << "?0014 u7x3 ?0015 =h0d0u21 #h0d0u21 C1 ?0015 =h0d1u11 C1 ?0016 =h0d2u1 #h0d2u1 t21 +1 !0";
    QTest::newRow("Formu 3 x 4 through 9 and 3") << "Formu" << Draws{{2, 9}, {3, 9}} << "u9 ?0014 u3 ?0015 C1 ?0016";
    QTest::newRow("Formu 9 x 9, eight regroupings")
        << "Formu" << Draws{{8, 9}, {8, 9}} << "u9x9 ?0015 #h0d0u81 C1x7 ?0015 C1 ?0016 =h0d8u1 #h0d8u1 t081 +1";
    QTest::newRow("Formu Cambio with too few discs is wrong")
        << "Formu" << Draws{{2, 9}, {6, 9}} << "u9 C1 !1 =h0d0u9 #h0d0u9 ?0014";
    QTest::newRow("Formu 2 x 5, exactly ten units regroup")
        << "Formu" << Draws{{1, 9}, {4, 9}} << "u5x2 ?0015 =h0d0u10 C1 ?0016 =h0d1u0 t10 +1";
    QTest::newRow("Formu tenth row ignored") << "Formu" << Draws{{8, 9}, {8, 9}} << "u1x10 =h0d0u9 #h0d0u9";
    QTest::newRow("FormdauS 23 x 3, result at once")
        << "FormdauS" << Draws{{3, 24}, {1, 3}, {3, 5}, {1, 3}, {1, 4}} << "?0020 d2x3 u3x3 ?0021 =h0d6u9 t69 +1";
    QTest::newRow("FormdauS times 0 answered 0")
        << "FormdauS" << Draws{{0, 24}, {0, 3}, {5, 10}, {0, 3}, {2, 8}} << "t0 +1 !0";
    QTest::newRow("formdau99 27 x 3")
        << "formdau99" << Draws{{2, 8}, {6, 9}, {2, 9}}
        << "?0022 d2x3 u7x3 ?0023 C1 ?0023 =h0d7u11 C1 ?0024 =h0d8u1 t81 +1";
    QTest::newRow("Formdau 68 x 9")
        << "Formdau" << Draws{{6, 8}, {7, 9}, {8, 9}}
        << "?0011 d6x9 u8x9 ?0012 C1x7 ?0012 =h0d61u2 C2x6 ?0013 =h6d1u2 #h6d1u2 t612 +1";
    QTest::newRow("Formdau tens with all 81 on show still count")
        << "Formdau" << Draws{{6, 8}, {7, 9}, {8, 9}} << "d9x9 u9x2 C1 =h0d82u8 #h0d81u8";
    QTest::newRow("Formdau tens-to-hundreds goes by the discs on show")
        << "Formdau" << Draws{{6, 8}, {7, 9}, {8, 9}} << "d9 u9x2 C1 =h0d10u8 #h0d10u8 C2 =h1d0u8 !0 C2 !1";
    QTest::newRow("FormhdauS 213 x 3")
        << "FormhdauS" << Draws{{3, 24}, {0, 3}, {3, 10}, {0, 3}, {0, 8}, {0, 3}, {2, 9}}
        << "?0025 h2x3 d1x3 u3x3 ?0026 =h6d3u9 t639 +1";
    QTest::newRow("Formhdau 158 x 6")
        << "Formhdau" << Draws{{1, 5}, {5, 8}, {7, 9}, {5, 9}}
        << "?0017 h1x6 d5x6 u8x6 ?0018 C1x4 ?0018 =h6d34u8 C2x3 ?0019 =h9d4u8 t948 +1";
    QTest::newRow("Formhdau 25 x 4, exactly ten tens regroup")
        << "Formhdau" << Draws{{0, 5}, {2, 8}, {4, 9}, {3, 9}} << "d2x4 u5x4 C1x2 ?0018 =h0d10u0 C2 ?0019 =h1d0u0 t100 +1";
    QTest::newRow("FormhdauS 889 x 1, all its hundreds")
        << "FormhdauS" << Draws{{1, 24}, {0, 3}, {9, 10}, {0, 3}, {7, 8}, {0, 3}, {8, 9}}
        << "h4x2 d8 u9 ?0026 =h8d8u9 #h8d8u9 t889 +1";
    QTest::newRow("Formhdau all 36 hundreds on show")
        << "Formhdau" << Draws{{1, 5}, {5, 8}, {7, 9}, {5, 9}} << "h4x9 d9x2 C2 =h37d8u0 #h36d8u0 !0";
}

void TestArrays::workedExamples()
{
    QFETCH(QString, window);
    QFETCH(Draws, draws);
    QFETCH(QString, steps);
    program_->rnd->draw(0, 18);   // the background colour
    script(*program_, draws);
    auto *w = qobject_cast<ArrayForm *>(openWindow(window));
    QVERIFY(w);
    QCOMPARE(program_->rnd->remaining(), 0u);
    play(w, steps);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestArrays::answerCheck()
{
    state().suoniAttivati = true;
    program_->rnd->draw(0, 18);
    script(*program_, {{2, 9}, {6, 9}});
    auto *w = qobject_cast<ArrayForm *>(openWindow(QStringLiteral("Formu")));
    auto *avanti = qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 3 x  7 = "));
    QCOMPARE(w->Text1->x(), w->EtichettaNumero->geometry().right() + 1);
    QCOMPARE(qobject_cast<QLabel *>(w->control(QStringLiteral("EtichettaErrati")))->text(), QStringLiteral(" 0"));
    QCOMPARE(w->Text1->accessibleName(), QStringLiteral("Quanto fa 3 per 7? risposta"));
    QCOMPARE(QAccessible::queryAccessibleInterface(w->Text1)->text(QAccessible::Description),
             QStringLiteral("Scrivi qui il risultato e premi Invio"));
    QCOMPARE(w->dischi(Posto::Unita)->accessibleName(), QStringLiteral("Gettoni blu delle unità"));

    answer(w->Text1, QString());   // empty: ignored
    QCOMPARE(state().contaErrati, 0);
    answer(w->Text1, QStringLiteral("12"));
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(w->Text1->text(), QStringLiteral("12"));
    QCOMPARE(w->focusWidget(), w->Text1);

    // Right before any disc is placed: the array is an aid, not a condition.
    w->Text1->clear();
    program_->rnd->draw(1, 4);
    answer(w->Text1, QStringLiteral("21"));
    QCOMPARE(state().contaEsatti, 1);
    QVERIFY(program_->sound->played.back().endsWith(QStringLiteral("suoni/si2.wav")));
    QVERIFY(!w->Text1->isEnabled());
    QVERIFY(!w->Command3D1->isEnabled());
    QVERIFY(avanti->isEnabled());
    QCOMPARE(w->focusWidget(), avanti);

    // Solved: building up to the product and regrouping enables the box again.
    play(w, QStringLiteral("u7x3 C1x2 ?0016"));
    QVERIFY(w->Text1->isEnabled());
    program_->rnd->draw(0, 4);
    answer(w->Text1, QString());   // the right text is still there
    QTest::keyClick(w->Text1, Qt::Key_Return);
    QCOMPARE(state().contaEsatti, 2);

    program_->rnd->draw(3, 18);
    script(*program_, {{0, 9}, {4, 9}});
    QTest::mouseClick(avanti, Qt::LeftButton);
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 1 x  5 = "));
    QVERIFY(w->Text1->isEnabled() && w->Text1->text().isEmpty());
    QVERIFY(w->Command3D1->isEnabled());
    QVERIFY(!avanti->isEnabled());
    QCOMPARE(w->dischi(Posto::Unita)->shownCount(), 0);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestArrays::cambioBeforeTheCountMatches()
{
    program_->rnd->draw(0, 18);
    script(*program_, {{8, 9}, {8, 9}});
    auto *w = qobject_cast<ArrayForm *>(openWindow(QStringLiteral("Formu")));
    play(w, QStringLiteral("u9 u3 C1 ?0016 =h0d1u2"));
    QCOMPARE(w->focusWidget(), w->Text1);
    play(w, QStringLiteral("u9 =h0d1u11"));   // later rows still work
    QTest::mouseClick(w->Command3D1, Qt::LeftButton);
    play(w, QStringLiteral("?0014 =h0d0u0 #h0d0u0"));
    QCOMPARE(w->righe(Posto::Unita), 0);

    // From the keyboard: Enter on a focused key adds its row.
    QPushButton *three = w->tastiera(Posto::Unita)[2];
    three->setFocus();
    QTest::keyClick(three, Qt::Key_Return);
    play(w, QStringLiteral("=h0d0u3 #h0d0u3"));
}

void TestArrays::regroupedDiscsLeaveTheFirstPlaces()
{
    program_->rnd->draw(0, 18);
    script(*program_, {{8, 9}, {8, 9}});
    auto *w = qobject_cast<ArrayForm *>(openWindow(QStringLiteral("Formu")));
    play(w, QStringLiteral("u7 u5 C1 u3"));
    const DiscGrid *u = w->dischi(Posto::Unita);
    QCOMPARE(u->accessibleDescription(), QStringLiteral("5"));
    QString shown;
    for (int i = 0; i < 27; ++i)
        shown += u->isShown(i) ? u'o' : u'.';
    // Row 0 had 7 discs, row 1 five: the first ten on show went; row 2 is new,
    // not in the emptied places.
    QCOMPARE(shown, QStringLiteral("........." "...oo...." "ooo......"));
    QVERIFY(w->dischi(Posto::Decine)->isShown(0));
}

void TestArrays::discsAreRoundAtAnyScale()
{
    DiscGrid grid(9, 5, QColor(255, 0, 0));
    for (const double scale : {1.0, 2.5}) {
        const QSize twips = DiscGrid::twipsSize(9, 5);
        grid.resize(qRound(twips.width() / 15.0 * scale), qRound(twips.height() / 15.0 * scale * 1.5));
        grid.hideAll();
        grid.showRange(5, 5);   // the first disc of the second row
        const QImage image = grid.grab().toImage();
        const double sx = grid.width() / double(twips.width());
        const double sy = grid.height() / double(twips.height());
        const QPoint centre(qRound(127.5 * sx), qRound((360 + 127.5) * sy));
        QCOMPARE(image.pixelColor(centre), QColor(255, 0, 0));
        // Round, though the grid was stretched: as tall as wide.
        const int r = qRound(127.5 * std::min(sx, sy));
        QCOMPARE(image.pixelColor(centre + QPoint(0, r - 2)), QColor(255, 0, 0));
        QVERIFY(image.pixelColor(centre + QPoint(0, r + 3)) != QColor(255, 0, 0));
        QVERIFY(image.pixelColor(QPoint(qRound(127.5 * sx), qRound(127.5 * sy))) != QColor(255, 0, 0));
    }
}

void TestArrays::reticoliGenerator_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("secondo");
    const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("all ticked") << all << Draws{{2, 10}, {3, 10}} << 3 << 4;
    QTest::newRow("2 and 9: a drawn 5 becomes 2") << QList<int>{2, 9} << Draws{{4, 10}, {9, 10}} << 2 << 10;
    QTest::newRow("2 and 9: a drawn 1 becomes 9") << QList<int>{2, 9} << Draws{{0, 10}, {0, 10}} << 9 << 1;
    QTest::newRow("only 7: a drawn 1 wraps to 7") << QList<int>{7} << Draws{{0, 10}, {4, 10}} << 7 << 5;
    QTest::newRow("none: nine steps down from 5") << QList<int>{} << Draws{{4, 10}, {1, 10}} << 6 << 2;
}

void TestArrays::reticoliGenerator()
{
    QFETCH(QList<int>, ticked);
    QFETCH(Draws, draws);
    QFETCH(int, primo);
    QFETCH(int, secondo);
    script(*program_, draws);
    const Reticoli::Fattori f = Reticoli::estraiFattori([&](int term) { return ticked.contains(term); });
    QCOMPARE(f.primoFattore, primo);
    QCOMPARE(f.secondoFattore, secondo);
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestArrays::reticoliLines_data()
{
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("punti");
    QTest::addColumn<QString>("instruction");
    QTest::newRow("3 x 4, vertical first") << Draws{{2, 10}, {3, 10}} << "VVVOOOO" << 12 << "0005";
    QTest::newRow("3 x 4, horizontal first") << Draws{{2, 10}, {3, 10}} << "OOOOVVV" << 12 << "0005";
    QTest::newRow("3 x 4, 2 by 6") << Draws{{2, 10}, {3, 10}} << "VVOOOOOO" << 12 << "0005";
    QTest::newRow("one kind only") << Draws{{2, 10}, {3, 10}} << "VVVVV" << 0 << "0004";
    QTest::newRow("10 x 10, eleventh lines ignored") << Draws{{9, 10}, {9, 10}} << QString(11, u'V') + QString(11, u'O')
                                                      << 100 << "0005";
    QTest::newRow("10 x 10, eleventh vertical after horizontals adds no dots")
        << Draws{{9, 10}, {9, 10}} << "OOO" + QString(11, u'V') << 30 << "0004";
    QTest::newRow("Ricomincia keeps the instruction") << Draws{{2, 10}, {3, 10}} << "VVVOOOOR" << 0 << "0005";
}

void TestArrays::reticoliLines()
{
    QFETCH(Draws, draws);
    QFETCH(QString, presses);
    QFETCH(int, punti);
    QFETCH(QString, instruction);
    program_->rnd->draw(0, 18);
    script(*program_, draws);
    auto *w = qobject_cast<Reticoli *>(openWindow(QStringLiteral("Reticoli")));
    COMPARE_STRING_ID(w->Label3->text(), "0004");
    QCOMPARE(w->focusWidget(), w->Text1);
    for (const QChar c : presses)
        QTest::mouseClick(c == u'V' ? w->BottoneV : c == u'O' ? w->BottoneO : w->Command3D1, Qt::LeftButton);
    QCOMPARE(w->punti(), punti);
    QCOMPARE(w->reticolo->orizzontali() * w->reticolo->verticali(), punti);
    COMPARE_STRING_ID(w->Label3->text(), instruction);
    // The painted dots: red where two drawn lines cross, nowhere else. Dot
    // centres are 300 twips in from the edge, 360 apart, on a 3840 side.
    const QImage shot = w->reticolo->grab().toImage();
    QString painted, expected;
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) {
            const QPoint centre(qRound((300 + 360 * c) * shot.width() / 3840.0),
                                qRound((300 + 360 * r) * shot.height() / 3840.0));
            painted += shot.pixelColor(centre) == QColor(255, 0, 0) ? u'o' : u'.';
            expected += r < w->reticolo->orizzontali() && c < w->reticolo->verticali() ? u'o' : u'.';
        }
    }
    QCOMPARE(painted.count(u'o'), punti);
    QCOMPARE(painted, expected);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestArrays::reticoliChoiceOfTerms()
{
    state().suoniAttivati = true;
    program_->rnd->draw(0, 18);
    script(*program_, {{2, 10}, {3, 10}});
    auto *w = qobject_cast<Reticoli *>(openWindow(QStringLiteral("Reticoli")));
    auto *avanti = qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
    program_->rnd->draw(2, 4);
    answer(w->Text1, QStringLiteral("12"));
    QCOMPARE(state().contaEsatti, 1);
    QVERIFY(!w->Text1->isEnabled() && !w->Command3D1->isEnabled());
    QCOMPARE(w->focusWidget(), avanti);
    // Solved: lines drawn up to the product open the box again.
    for (QPushButton *line : {w->BottoneV, w->BottoneV, w->BottoneV, w->BottoneO, w->BottoneO, w->BottoneO})
        QTest::mouseClick(line, Qt::LeftButton);
    QVERIFY(!w->Text1->isEnabled());
    QTest::mouseClick(w->BottoneO, Qt::LeftButton);
    QVERIFY(w->Text1->isEnabled());
    QCOMPARE(w->focusWidget(), w->Text1);

    // A choice confirmed after a right answer brings a fresh, unsolved exercise.
    for (int term = 1; term <= 10; ++term)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), term))->setChecked(term == 2 || term == 9);
    program_->rnd->draw(5, 18);
    script(*program_, {{4, 10}, {6, 10}});
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("Command3D2"))), Qt::LeftButton);
    QCOMPARE(w->etic->text(), QStringLiteral(" 2 x  7 = "));
    QCOMPARE(w->Text1->x(), w->etic->geometry().right() + 1);
    QVERIFY(w->Text1->isEnabled() && w->Command3D1->isEnabled() && !avanti->isEnabled());

    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("14"));
    program_->rnd->draw(5, 18);
    script(*program_, {{0, 10}, {0, 10}});
    QTest::mouseClick(avanti, Qt::LeftButton);
    QCOMPARE(w->etic->text(), QStringLiteral(" 9 x  1 = "));
    QVERIFY(w->Text1->isEnabled() && w->Command3D1->isEnabled() && !avanti->isEnabled());
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestArrays::spokenSentence_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("language");
    QTest::addColumn<Draws>("draws");
    QTest::addColumn<QString>("steps");   // play() steps; for Reticoli, V and O presses
    QTest::addColumn<QString>("said");
    QTest::newRow("Formu 3 x 7, it")
        << "Formu" << "Italiano" << Draws{{2, 9}, {6, 9}} << ""
        << "Costruisci 3 per 7: 3 file da 7. Premi il tasto blu del secondo numero: arriva una fila di gettoni. "
           "Fai tante file quanto dice il primo numero.";
    QTest::newRow("Formu 1 x 5, one row, en")
        << "Formu" << "English" << Draws{{0, 9}, {4, 9}} << ""
        << "Build 1 times 5: one row of 5. Press the blue key of the second number to add a row of counters. "
           "Make as many rows as the first number.";
    QTest::newRow("Formdau 68 x 9, it")
        << "Formdau" << "Italiano" << Draws{{6, 8}, {7, 9}, {8, 9}} << ""
        << "Costruisci 68 per 9: 9 file da 68. Fai ogni fila come il primo numero: tasti rossi per le decine, "
           "tasti blu per le unità. Fai tante file quanto dice il secondo numero.";
    QTest::newRow("FormdauS 35 x 0, no rows, en")
        << "FormdauS" << "English" << Draws{{0, 24}, {0, 3}, {5, 10}, {0, 3}, {2, 8}} << ""
        << "Build 35 times 0: 0 rows of 35. Make each row like the first number: red keys for tens, blue keys for "
           "ones. Make as many rows as the second number.";
    QTest::newRow("FormhdauS 213 x 3, result, en")
        << "FormhdauS" << "English" << Draws{{3, 24}, {0, 3}, {3, 10}, {0, 3}, {0, 8}, {0, 3}, {2, 9}}
        << "h2x3 d1x3 u3x3"
        << "Well done! Count the hundreds (green), the tens (red) and the ones (blue). Type the answer and press "
           "Enter.";
    QTest::newRow("Reticoli 3 x 4, it")
        << "Reticoli" << "Italiano" << Draws{{2, 10}, {3, 10}} << ""
        << "Costruisci 3 per 4: 3 linee verticali e 4 linee orizzontali. Premi «Verticale» tante volte quanto dice "
           "il primo numero e «Orizzontale» tante volte quanto dice il secondo. Dove due linee si incrociano "
           "compare un punto.";
    QTest::newRow("Reticoli 1 x 1, en")
        << "Reticoli" << "English" << Draws{{0, 10}, {0, 10}} << ""
        << "Build 1 times 1: one vertical line and one horizontal line. Press 'Vertical' as many times as the "
           "first number and 'Horizontal' as many times as the second. A dot appears where two lines cross.";
    QTest::newRow("Reticoli all the dots, it")
        << "Reticoli" << "Italiano" << Draws{{2, 10}, {3, 10}} << "VVVOOOO"
        << "Ci sono tutti i punti! Contali, scrivi il risultato e premi Invio.";
}

// What is read aloud when an exercise is shown and when its instruction
// changes.
void TestArrays::spokenSentence()
{
    QFETCH(QString, window);
    QFETCH(QString, language);
    QFETCH(Draws, draws);
    QFETCH(QString, steps);
    QFETCH(QString, said);
    state().currentLanguageName = language;
    state().letturaAttivata = true;
    program_->rnd->draw(0, 18);
    script(*program_, draws);
    FormBase *w = openWindow(window);
    program_->speaker->heard();
    if (auto *lattice = qobject_cast<Reticoli *>(w)) {
        for (const QChar c : steps)
            QTest::mouseClick(c == u'V' ? lattice->BottoneV : lattice->BottoneO, Qt::LeftButton);
    } else {
        play(qobject_cast<ArrayForm *>(w), steps);
    }
    QCOMPARE(program_->speaker->heard().size(), steps.isEmpty() ? 1u : 2u);
    QCOMPARE(program_->speaker->heard().back().text, said);
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestArrays::readAloudOnlyWhenOn_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

// Each change of instruction is read once: a Cambio that leaves the step as
// it was and rows that do not reach the product are silent; "Ricomincia",
// "avanti" and the verdict of the answer are read.
void TestArrays::readAloudOnlyWhenOn()
{
    QFETCH(bool, on);
    state().letturaAttivata = on;
    const auto said = [this] { return program_->speaker->heard(); };
    program_->rnd->draw(0, 18);
    script(*program_, {{2, 9}, {6, 9}});
    auto *w = qobject_cast<ArrayForm *>(openWindow(QStringLiteral("Formu")));
    const std::size_t n = on ? 1 : 0;
    QCOMPARE(said().size(), n);
    play(w, QStringLiteral("u7x2"));
    QCOMPARE(said().size(), n);
    play(w, QStringLiteral("u7 ?0015 C1 ?0015"));
    QCOMPARE(said().size(), 2 * n);
    play(w, QStringLiteral("C1 ?0016"));
    QCOMPARE(said().size(), 3 * n);
    QTest::mouseClick(w->Command3D1, Qt::LeftButton);
    QCOMPARE(said().size(), 4 * n);
    if (on)
        QCOMPARE(said().back().text, said().front().text);
    play(w, QStringLiteral("t21 +1"));
    QCOMPARE(said().size(), 5 * n);
    if (on)
        QCOMPARE(said().back().text, QStringLiteral("Bravo!"));
    program_->rnd->draw(0, 18);
    script(*program_, {{0, 9}, {4, 9}});
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti"))), Qt::LeftButton);
    QCOMPARE(said().size(), 6 * n);
    if (on)
        QVERIFY(said().back().text.startsWith(QStringLiteral("Costruisci 1 per 5:")));
}

QTEST_MAIN(TestArrays)
#include "tst_arrays.moc"
