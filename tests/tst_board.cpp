#include "Fakes.h"
#include "exercises/tables/FormEsercizi.h"
#include "feedback/Feedback.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

using Colore = NumberBoardForm::Colore;

// The draws of one exercise: the background colour, then the factors (more
// than two when the table is redrawn).
void scriptExercise(TestProgram &program, const QList<int> &factors, int colourEntry = 0)
{
    program.rnd->draw(colourEntry, 18);
    for (const int f : factors)
        program.rnd->draw(f, 11);
}

NumberBoardForm *openBoard(TestProgram &program, const QString &name, int primo, int secondo)
{
    scriptExercise(program, {primo, secondo});
    return qobject_cast<NumberBoardForm *>(openWindow(name));
}

NumberBoardForm *shownBoard()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *board = qobject_cast<NumberBoardForm *>(top); board && board->isVisible())
            return board;
    }
    return nullptr;
}

QPushButton *button(FormBase *w, const QString &name)
{
    return qobject_cast<QPushButton *>(w->control(name));
}

QString labelText(FormBase *w, const QString &name)
{
    return qobject_cast<QLabel *>(w->control(name))->text();
}

QList<int> steps(int from, int to, int step)
{
    QList<int> list;
    for (int i = from; i <= to; i += step)
        list << i;
    return list;
}

// Every button is grey except the yellow and orange ones listed.
void compareBoard(const NumberBoardForm *w, const QList<int> &yellow, const QList<int> &orange)
{
    for (int i = 0; i < NumberBoardForm::kButtons; ++i) {
        const Colore expected = yellow.contains(i)   ? Colore::Giallo
                                : orange.contains(i) ? Colore::Arancio
                                                     : Colore::Grigio;
        if (w->colore(i) != expected)
            QFAIL(qPrintable(QStringLiteral("Numero(%1) has colour %2, expected %3")
                                 .arg(i)
                                 .arg(static_cast<int>(w->colore(i)))
                                 .arg(static_cast<int>(expected))));
    }
}

// True when c lies on the way from a to b, as the anti-aliased edge of a
// stroke of b drawn on a does.
bool between(const QColor &c, const QColor &a, const QColor &b)
{
    const int da[] = {b.red() - a.red(), b.green() - a.green(), b.blue() - a.blue()};
    const int dc[] = {c.red() - a.red(), c.green() - a.green(), c.blue() - a.blue()};
    const int k = std::abs(da[0]) >= std::abs(da[1]) ? (std::abs(da[0]) >= std::abs(da[2]) ? 0 : 2)
                                                      : (std::abs(da[1]) >= std::abs(da[2]) ? 1 : 2);
    const double t = static_cast<double>(dc[k]) / da[k];
    if (t < -0.02 || t > 1.02)
        return false;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(dc[i] - t * da[i]) > 4)
            return false;
    }
    return true;
}

// The button shows fill inside its rounded border, and its digits are drawn
// on that fill: across its middle every pixel is fill, ink or a blend.
void compareFace(QPushButton *b, const QColor &fill)
{
    const QImage shot = b->grab().toImage();
    QCOMPARE(QColor(shot.pixel(shot.width() / 8, shot.height() / 2)), fill);
    const QColor ink(0x1c, 0x1c, 0x3c);
    for (int x = 6; x < shot.width() - 6; ++x) {
        const QColor c = shot.pixel(x, shot.height() / 2);
        if (!between(c, fill, ink))
            QFAIL(qPrintable(QStringLiteral("%1 at x %2 of %3 is neither %4 nor the ink")
                                 .arg(c.name(), QString::number(x), b->text(), fill.name())));
    }
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void boardCaptionsAndRows();
    void multiplesOnTheBoard_data();
    void multiplesOnTheBoard();
    void drawOrder_data();
    void drawOrder();
    void noTableTickedCannotHang();
    void rightAnswer();
    void wrongButtonTwiceCountsTwice();
    void avantiClearsTheBoard();
    void lampRecoloursClickedButtons();
    void coloursReachTheScreen_data();
    void coloursReachTheScreen();
    void menuOpensAndExitReturns_data();
    void menuOpensAndExitReturns();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestBoard::boardCaptionsAndRows()
{
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi2"), 2, 3);
    auto at = [w](int i) { return w->Numero[static_cast<std::size_t>(i)]; };
    for (int i = 0; i < NumberBoardForm::kButtons; ++i) {
        QCOMPARE(at(i)->text(), QStringLiteral(" %1").arg(i));
        QVERIFY(at(i)->isEnabled());
        QCOMPARE(at(i)->pos(), QPoint(at(i % 10)->x(), at(i / 10 * 10)->y()));
    }
    QVERIFY(at(1)->x() > at(0)->geometry().right());
    QVERIFY(at(10)->y() > at(0)->geometry().bottom());
    // The activation fills the screen but poses nothing more.
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestBoard::multiplesOnTheBoard_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("table");
    QTest::addColumn<bool>("lamp");
    QTest::addColumn<QList<int>>("yellow");
    QTest::addColumn<QList<int>>("orange");
    const QString first = QStringLiteral("FormEsercizi");
    const QString second = QStringLiteral("FormEsercizi2");
    QTest::newRow("table 0: 0 yellow, not orange") << first << 0 << false << QList<int>{0} << QList<int>{};
    QTest::newRow("table 3 up to 30") << first << 3 << false << steps(3, 30, 3) << QList<int>{0};
    QTest::newRow("table 10 up to 90") << first << 10 << false << steps(10, 90, 10) << QList<int>{0};
    QTest::newRow("FormEsercizi2 waits for the lamp") << second << 7 << false << QList<int>{} << QList<int>{};
    QTest::newRow("lamp, table 0") << second << 0 << true << QList<int>{0} << QList<int>{};
    QTest::newRow("lamp, table 1: all but 0") << second << 1 << true << steps(1, 99, 1) << QList<int>{0};
    QTest::newRow("lamp, table 7 up to 98") << second << 7 << true << steps(7, 98, 7) << QList<int>{0};
    QTest::newRow("lamp, table 10 up to 90") << second << 10 << true << steps(10, 90, 10) << QList<int>{0};
}

void TestBoard::multiplesOnTheBoard()
{
    QFETCH(QString, window);
    QFETCH(int, table);
    QFETCH(bool, lamp);
    QFETCH(QList<int>, yellow);
    QFETCH(QList<int>, orange);
    NumberBoardForm *w = openBoard(*program_, window, table, 4);
    QCOMPARE(w->primoFattore(), table);
    if (lamp) {
        auto *lampButton = qobject_cast<FormEsercizi2 *>(w)->Command1;
        QVERIFY(!lampButton->icon().isNull());
        // Pressing it again changes nothing.
        QTest::mouseClick(lampButton, Qt::LeftButton);
        QTest::mouseClick(lampButton, Qt::LeftButton);
    }
    compareBoard(w, yellow, orange);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestBoard::drawOrder_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("exercise");
    const QList<int> all = steps(0, 10, 1);
    QTest::newRow("first draw ticked") << all << QList<int>{7, 6} << " 7 x  6 =";
    QTest::newRow("10 x 10 becomes 9 x 9") << all << QList<int>{10, 10} << " 9 x  9 =";
    QTest::newRow("only the table is redrawn") << QList<int>{4} << QList<int>{2, 5, 8, 4} << " 4 x  5 =";
    QTest::newRow("10 x 10 from a redraw") << QList<int>{9} << QList<int>{3, 10, 10} << " 9 x  9 =";
    QTest::newRow("9 x 9 redrawn when 9 is not ticked") << QList<int>{2} << QList<int>{10, 10, 2} << " 2 x  9 =";
    QTest::newRow("table 0 alone") << QList<int>{0} << QList<int>{5, 3, 0} << " 0 x  3 =";
}

void TestBoard::drawOrder()
{
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, draws);
    QFETCH(QString, exercise);
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi"), 1, 1);
    for (int t = 0; t <= 10; ++t)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), t))->setChecked(ticked.contains(t));

    constexpr int kColourEntry = 11;
    scriptExercise(*program_, draws, kColourEntry);
    QTest::mouseClick(button(w, QStringLiteral("Command3D2")), Qt::LeftButton);

    QCOMPARE(w->background(), QColor(0, 255, 255));
    QCOMPARE(w->EtichettaNumero->text(), exercise);
    QVERIFY(ticked.contains(w->primoFattore()));
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
    QVERIFY(!button(w, QStringLiteral("BottoneAvanti"))->isEnabled());
}

void TestBoard::noTableTickedCannotHang()
{
    // With the frame open the boxes can all be unticked while "avanti" is
    // still reachable from the keyboard behind it.
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi"), 2, 2);
    program_->rnd->draw(0, 4);
    w->Numero[4]->click();
    for (int t = 0; t <= 10; ++t)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), t))->setChecked(false);

    scriptExercise(*program_, {6, 8});
    button(w, QStringLiteral("BottoneAvanti"))->click();
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 6 x  8 ="));
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestBoard::rightAnswer()
{
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi"), 7, 6);
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 7 x  6 ="));
    QPushButton *avanti = button(w, QStringLiteral("BottoneAvanti"));
    QVERIFY(!avanti->isEnabled());

    program_->rnd->draw(1, 4);   // the yes sound
    QTest::mouseClick(w->Numero[42], Qt::LeftButton);
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 7 x  6 = 42"));
    QCOMPARE(w->colore(42), Colore::Verde);
    QVERIFY(!w->Numero[42]->isEnabled());
    QVERIFY(avanti->isEnabled());
    QCOMPARE(labelText(w, QStringLiteral("EtichettaEsatti")), QStringLiteral(" 1"));
    QCOMPARE(program_->sound->played.size(), 1u);
    QVERIFY(program_->sound->played.front().endsWith(QStringLiteral("suoni/si2.wav")));

    // The right button cannot be clicked again; any other still can, and
    // counts as a wrong answer.
    QTest::mouseClick(w->Numero[42], Qt::LeftButton);
    QCOMPARE(state().contaEsatti, 1);
    QVERIFY(w->Numero[49]->isEnabled());
    QTest::mouseClick(w->Numero[49], Qt::LeftButton);
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(labelText(w, QStringLiteral("EtichettaErrati")), QStringLiteral(" 1"));
    QCOMPARE(w->colore(49), Colore::Rosso);
    QCOMPARE(w->colore(42), Colore::Verde);
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 7 x  6 = 42"));
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestBoard::wrongButtonTwiceCountsTwice()
{
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi2"), 3, 4);
    QTest::mouseClick(w->Numero[13], Qt::LeftButton);
    QTest::mouseClick(w->Numero[13], Qt::LeftButton);
    QCOMPARE(state().contaErrati, 2);
    QCOMPARE(labelText(w, QStringLiteral("EtichettaErrati")), QStringLiteral(" 2"));
    QCOMPARE(labelText(w, QStringLiteral("EtichettaEsatti")), QStringLiteral("0"));
    QCOMPARE(w->colore(13), Colore::Rosso);
    QVERIFY(w->Numero[13]->isEnabled());
    QVERIFY(!button(w, QStringLiteral("BottoneAvanti"))->isEnabled());
    QCOMPARE(program_->sound->played.size(), 2u);
    QVERIFY(program_->sound->played.back().endsWith(QStringLiteral("suoni/no.wav")));
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 3 x  4 ="));
}

void TestBoard::avantiClearsTheBoard()
{
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi"), 5, 5);
    QTest::mouseClick(w->Numero[24], Qt::LeftButton);
    program_->rnd->draw(0, 4);
    QTest::mouseClick(w->Numero[25], Qt::LeftButton);
    compareFace(w->Numero[24], QColor(255, 0, 0));
    compareFace(w->Numero[25], QColor(0, 192, 0));

    scriptExercise(*program_, {3, 8});
    QPushButton *avanti = button(w, QStringLiteral("BottoneAvanti"));
    QTest::mouseClick(avanti, Qt::LeftButton);
    QVERIFY(!avanti->isEnabled());
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 3 x  8 ="));
    compareBoard(w, steps(3, 30, 3), {0});
    for (const QPushButton *b : w->Numero)
        QVERIFY(b->isEnabled());
    compareFace(w->Numero[24], QColor(255, 255, 0));
    compareFace(w->Numero[25], QColor(224, 224, 224));
    // The faces follow a smaller window.
    w->resize(w->width() * 4 / 5, w->height() * 4 / 5);
    compareFace(w->Numero[25], QColor(224, 224, 224));
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestBoard::lampRecoloursClickedButtons()
{
    auto *w = qobject_cast<FormEsercizi2 *>(openBoard(*program_, QStringLiteral("FormEsercizi2"), 7, 6));
    QTest::mouseClick(w->Numero[14], Qt::LeftButton);
    QTest::mouseClick(w->Numero[5], Qt::LeftButton);
    program_->rnd->draw(0, 4);
    QTest::mouseClick(w->Numero[42], Qt::LeftButton);

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(w->colore(14), Colore::Giallo);
    QCOMPARE(w->colore(42), Colore::Giallo);
    QCOMPARE(w->colore(5), Colore::Rosso);
    QVERIFY(w->Numero[14]->isEnabled());
    QVERIFY(!w->Numero[42]->isEnabled());
    QCOMPARE(state().contaErrati, 2);
    QCOMPARE(state().contaEsatti, 1);
}

void TestBoard::coloursReachTheScreen_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("light grey") << 1 << QColor(224, 224, 224);
    QTest::newRow("yellow") << 7 << QColor(255, 255, 0);
    QTest::newRow("light orange") << 0 << QColor(255, 192, 128);
    QTest::newRow("green") << 42 << QColor(0, 192, 0);
    QTest::newRow("red") << 41 << QColor(255, 0, 0);
}

void TestBoard::coloursReachTheScreen()
{
    QFETCH(int, number);
    QFETCH(QColor, colour);
    NumberBoardForm *w = openBoard(*program_, QStringLiteral("FormEsercizi"), 7, 6);
    QTest::mouseClick(w->Numero[41], Qt::LeftButton);
    program_->rnd->draw(0, 4);
    QTest::mouseClick(w->Numero[42], Qt::LeftButton);

    compareFace(w->Numero[static_cast<std::size_t>(number)], colour);
}

void TestBoard::menuOpensAndExitReturns_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("window");
    QTest::newRow("FormEsercizi") << "FormMenuGrafici" << "FormEsercizi";
    QTest::newRow("FormEsercizi2") << "FormMenuNumeri" << "FormEsercizi2";
}

void TestBoard::menuOpensAndExitReturns()
{
    QFETCH(QString, menu);
    QFETCH(QString, window);
    program_->rnd->draw(0, 18);
    FormBase *m = openWindow(menu);
    QPushButton *entry = button(m, QStringLiteral("Command12"));
    QVERIFY(entry->isEnabled());
    scriptExercise(*program_, {3, 3});
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(openWindowNames(), QStringList{window});

    NumberBoardForm *w = shownBoard();
    QVERIFY(w);
    QTest::mouseClick(w->Numero[8], Qt::LeftButton);
    QCOMPARE(state().contaErrati, 1);

    program_->dialogs->answers.push_back(MessageAnswer::Yes);
    program_->rnd->draw(0, 18);
    qobject_cast<QAction *>(w->control(QStringLiteral("mnuEsci")))->trigger();
    QCOMPARE(openWindowNames(), QStringList{menu});
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(program_->dialogs->shown.back().buttons, MessageButtons::YesNo);
    QCOMPARE(program_->rnd->unscripted, 0);
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
