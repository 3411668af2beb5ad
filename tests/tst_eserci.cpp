#include "Fakes.h"
#include "exercises/tables/FormEserci.h"
#include "frame/DigitBox.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {

// Opens FormEserci; the activation draws the first exercise from the draws
// given: colour entry 1, then the first and the second factor.
FormEserci *openEserci(TestProgram &program, int primo, int secondo)
{
    program.rnd->draw(0, 18);
    program.rnd->draw(primo, 11);
    program.rnd->draw(secondo, 11);
    return static_cast<FormEserci *>(openWindow(QStringLiteral("FormEserci")));
}

void answer(DigitBox *box, const QString &digits)
{
    box->setFocus();
    QTest::keyClicks(box, digits);
    QTest::keyClick(box, Qt::Key_Return);
}

QLabel *label(FormBase *w, const QString &name, int index = -1)
{
    return qobject_cast<QLabel *>(w->control(name, index));
}

} // namespace

class TestEserci : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void productRightAnswer();
    void factorMode();
    void leadingZerosAndLongAnswers_data();
    void leadingZerosAndLongAnswers();
    void emptyEnterIgnored();
    void wrongAnswersCountEachEnter();
    void someTablesTicked();
    void factorModeNeverUsesTableZero();
    void onlyTableZeroTicked_data();
    void onlyTableZeroTicked();
    void confirmWithNothingTicked();
    void typeSwitchDrawsAtOnce();
    void resetThenRightAnswer();
    void countsStopAtTheirLimit();
    void answerBoxRefusesOtherCharacters_data();
    void answerBoxRefusesOtherCharacters();
    void pasteAndDropCannotSmuggle();
    void exitAnsweredNo();
    void exitAnsweredYes();
    void windowCloseEndsProgramWithoutAsking();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestEserci::productRightAnswer()
{
    FormEserci *w = openEserci(*program_, 7, 6);
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 7 x  6 = "));
    QCOMPARE(w->EtichettaNumero[1]->text(), QString());
    QCOMPARE(w->Text1->x(), w->EtichettaNumero[0]->geometry().right() + 1);
    QVERIFY(w->Text1->isEnabled());
    QVERIFY(!w->control(QStringLiteral("BottoneAvanti"))->property("enabled").toBool());

    program_->rnd->draw(2, 4);   // the yes sound
    answer(w->Text1, QStringLiteral("42"));
    QVERIFY(w->control(QStringLiteral("ComandoIconaSi"))->property("visible").toBool());
    QVERIFY(!w->control(QStringLiteral("ComandoIconaNo"))->property("visible").toBool());
    QCOMPARE(label(w, QStringLiteral("EtichettaEsatti"))->text(), QStringLiteral(" 1"));
    QCOMPARE(state().contaEsatti, 1);
    QCOMPARE(program_->sound->played.size(), 1u);
    QVERIFY(program_->sound->played.front().endsWith(QStringLiteral("suoni/si3.wav")));
    QVERIFY(!w->Text1->isEnabled());
    auto *avanti = qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
    QVERIFY(avanti->isEnabled());

    // "avanti" draws the next fact and disables itself.
    program_->rnd->draw(3, 18);
    program_->rnd->draw(2, 11);
    program_->rnd->draw(10, 11);
    QTest::mouseClick(avanti, Qt::LeftButton);
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 2 x  10 = "));
    QVERIFY(!avanti->isEnabled());
    QVERIFY(w->Text1->isEnabled());
    QVERIFY(w->Text1->text().isEmpty());
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestEserci::factorMode()
{
    FormEserci *w = openEserci(*program_, 1, 1);
    program_->rnd->draw(0, 18);
    program_->rnd->draw(7, 11);
    program_->rnd->draw(6, 11);
    w->MenuFattore->trigger();
    QVERIFY(w->MenuFattore->isChecked());
    QVERIFY(!w->MenuProdotto->isChecked());
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 7 x "));
    QCOMPARE(w->EtichettaNumero[1]->text(), QStringLiteral(" =  42"));
    QCOMPARE(w->EtichettaNumero[1]->x(), w->Text1->geometry().right() + 1);

    answer(w->Text1, QStringLiteral("42"));
    QCOMPARE(state().contaErrati, 1);
    w->Text1->clear();
    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("6"));
    QCOMPARE(state().contaEsatti, 1);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestEserci::leadingZerosAndLongAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("06 is 6") << "06" << true;
    QTest::newRow("006 is 6") << "006" << true;
    QTest::newRow("60 is not 6") << "60" << false;
    QTest::newRow("a fourth digit is not taken") << "0006" << false;
}

void TestEserci::leadingZerosAndLongAnswers()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    FormEserci *w = openEserci(*program_, 2, 3);
    program_->rnd->draw(0, 4);
    answer(w->Text1, typed);
    QCOMPARE(state().contaEsatti, right ? 1 : 0);
    QCOMPARE(state().contaErrati, right ? 0 : 1);
}

void TestEserci::emptyEnterIgnored()
{
    FormEserci *w = openEserci(*program_, 4, 4);
    answer(w->Text1, QString());
    QCOMPARE(state().contaEsatti, 0);
    QCOMPARE(state().contaErrati, 0);
    QVERIFY(program_->sound->played.empty());
    QVERIFY(w->control(QStringLiteral("ComandoIconaSi"))->property("visible").toBool());
}

void TestEserci::wrongAnswersCountEachEnter()
{
    FormEserci *w = openEserci(*program_, 3, 3);
    answer(w->Text1, QStringLiteral("8"));
    QCOMPARE(w->Text1->text(), QStringLiteral("8"));
    QVERIFY(w->Text1->hasFocus() || QApplication::focusWidget() == nullptr);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget() : w->focusWidget(), w->Text1);
    QVERIFY(w->control(QStringLiteral("ComandoIconaNo"))->property("visible").toBool());
    QVERIFY(!w->control(QStringLiteral("ComandoIconaSi"))->property("visible").toBool());
    // Enter held down: the releases the keyboard repeats are not answers.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(w->Text1, &repeated);
    }
    QCOMPARE(state().contaErrati, 1);
    QTest::keyClick(w->Text1, Qt::Key_Return);
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati"))->text(), QStringLiteral(" 2"));
    QCOMPARE(program_->sound->played.size(), 2u);
    QVERIFY(program_->sound->played.back().endsWith(QStringLiteral("suoni/no.wav")));
    QVERIFY(w->Text1->isEnabled());
}

void TestEserci::someTablesTicked()
{
    FormEserci *w = openEserci(*program_, 0, 0);
    w->control(QStringLiteral("MenuNumeroMassimo"))->setProperty("checked", false);
    qobject_cast<QAction *>(w->control(QStringLiteral("MenuNumeroMassimo")))->trigger();
    auto *frame = qobject_cast<QGroupBox *>(w->control(QStringLiteral("CorniceNumeroMassimo")));
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->geometry(), QRect(QPoint(0, 0), w->area()->size()));
    for (int i = 0; i <= 10; ++i)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), i))->setChecked(i == 3 || i == 5);

    // First draw 4 is not ticked, redraws (1 to 10) give 2, then 5; the
    // second factor keeps its one draw, 10.
    program_->rnd->draw(0, 18);
    program_->rnd->draw(4, 11);
    program_->rnd->draw(10, 11);
    program_->rnd->draw(1, 10);
    program_->rnd->draw(4, 10);
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("Command3D2"))), Qt::LeftButton);
    QVERIFY(!frame->isVisible());
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 5 x  10 = "));
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestEserci::factorModeNeverUsesTableZero()
{
    FormEserci *w = openEserci(*program_, 5, 5);
    program_->rnd->draw(0, 18);
    program_->rnd->draw(0, 11);   // becomes the table 1
    program_->rnd->draw(0, 11);
    w->MenuFattore->trigger();
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 1 x "));
    QCOMPARE(w->EtichettaNumero[1]->text(), QStringLiteral(" =  0"));
    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("0"));
    QCOMPARE(state().contaEsatti, 1);
}

void TestEserci::onlyTableZeroTicked_data()
{
    QTest::addColumn<bool>("factorMode");
    QTest::addColumn<int>("firstDraw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("product, first draw 0") << false << 0 << " 0 x  8 = ";
    QTest::newRow("product, first draw 6") << false << 6 << " 0 x  8 = ";
    QTest::newRow("factor keeps its draw") << true << 6 << " 6 x ";
}

void TestEserci::onlyTableZeroTicked()
{
    QFETCH(bool, factorMode);
    QFETCH(int, firstDraw);
    QFETCH(QString, shown);
    FormEserci *w = openEserci(*program_, 1, 1);
    if (factorMode) {
        program_->rnd->draw(0, 18);
        program_->rnd->draw(1, 11);
        program_->rnd->draw(1, 11);
        w->MenuFattore->trigger();
    }
    for (int i = 1; i <= 10; ++i)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), i))->setChecked(false);
    program_->rnd->draw(0, 18);
    program_->rnd->draw(firstDraw, 11);
    program_->rnd->draw(8, 11);
    w->NuovoEsercizio();   // must return: no endless redraw
    QCOMPARE(w->EtichettaNumero[0]->text(), shown);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestEserci::confirmWithNothingTicked()
{
    FormEserci *w = openEserci(*program_, 2, 2);
    qobject_cast<QAction *>(w->control(QStringLiteral("MenuNumeroMassimo")))->trigger();
    for (int i = 0; i <= 10; ++i)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), i))->setChecked(false);
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("Command3D2"))), Qt::LeftButton);
    QCOMPARE(program_->dialogs->shown.size(), 1u);
    COMPARE_STRING_ID(program_->dialogs->shown.front().text, "0001");
    QCOMPARE(program_->dialogs->shown.front().icon, MessageIcon::Error);
    QCOMPARE(program_->dialogs->shown.front().title, QStringLiteral("Quadrivel"));
    QVERIFY(w->control(QStringLiteral("CorniceNumeroMassimo"))->property("visible").toBool());
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 2 x  2 = "));   // the exercise stays
}

void TestEserci::typeSwitchDrawsAtOnce()
{
    FormEserci *w = openEserci(*program_, 9, 9);
    QTest::keyClicks(w->Text1, QStringLiteral("8"));
    answer(w->Text1, QString());
    QCOMPARE(state().contaErrati, 1);
    program_->rnd->draw(0, 18);
    program_->rnd->draw(3, 11);
    program_->rnd->draw(4, 11);
    w->MenuFattore->trigger();
    QVERIFY(w->Text1->text().isEmpty());
    QVERIFY(w->Text1->isEnabled());
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati"))->text(), QStringLiteral(" 1"));
}

void TestEserci::resetThenRightAnswer()
{
    // Right, next fact, wrong, reset, right: the counts start again from the
    // reset, and the right answer hides the no icon of the wrong one.
    FormEserci *w = openEserci(*program_, 2, 5);
    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("10"));
    program_->rnd->draw(0, 18);
    program_->rnd->draw(3, 11);
    program_->rnd->draw(4, 11);
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti"))), Qt::LeftButton);
    answer(w->Text1, QStringLiteral("11"));
    qobject_cast<QAction *>(w->control(QStringLiteral("MenuAzzera")))->trigger();
    QCOMPARE(label(w, QStringLiteral("EtichettaEsatti"))->text(), QStringLiteral("0"));
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati"))->text(), QStringLiteral("0"));
    QVERIFY(w->control(QStringLiteral("ComandoIconaNo"))->property("visible").toBool());   // icons untouched
    w->Text1->clear();
    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("12"));
    QCOMPARE(label(w, QStringLiteral("EtichettaEsatti"))->text(), QStringLiteral(" 1"));
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati"))->text(), QStringLiteral("0"));
    QVERIFY(w->control(QStringLiteral("ComandoIconaSi"))->property("visible").toBool());
    QVERIFY(!w->control(QStringLiteral("ComandoIconaNo"))->property("visible").toBool());
    QCOMPARE(program_->rnd->remaining(), 0u);
}

void TestEserci::countsStopAtTheirLimit()
{
    FormEserci *w = openEserci(*program_, 1, 1);
    state().contaErrati = 32766;
    answer(w->Text1, QStringLiteral("5"));
    answer(w->Text1, QString());
    QTest::keyClick(w->Text1, Qt::Key_Return);
    QCOMPARE(state().contaErrati, 32767);
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati"))->text(), QStringLiteral(" 32767"));
}

void TestEserci::answerBoxRefusesOtherCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("letters") << "4a2" << "42";
    QTest::newRow("minus") << "-5" << "5";
    QTest::newRow("point and comma") << "1.2,3" << "123";
    QTest::newRow("blank") << "1 2" << "12";
    QTest::newRow("other scripts' digits") << QString::fromUtf8("\u0663\u0664") << "";
}

void TestEserci::answerBoxRefusesOtherCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    DigitBox box;
    box.setMaxLength(3);
    for (const QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, c.isDigit() && c.unicode() < 128 ? Qt::Key_0 + (c.unicode() - '0') : 0,
                        Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&box, &press);
    }
    QCOMPARE(box.text(), kept);
    if (!kept.isEmpty()) {
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), kept.chopped(1));
    }
}

void TestEserci::pasteAndDropCannotSmuggle()
{
    DigitBox box;
    QApplication::clipboard()->setText(QStringLiteral("7x"));
    box.paste();
    QCOMPARE(box.text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("75"));
    box.paste();
    QCOMPARE(box.text(), QStringLiteral("75"));

    box.clear();
    QMimeData data;
    data.setText(QStringLiteral("-3"));
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &drop);
    QCOMPARE(box.text(), QString());
}

void TestEserci::exitAnsweredNo()
{
    FormEserci *w = openEserci(*program_, 6, 7);
    answer(w->Text1, QStringLiteral("1"));
    program_->dialogs->answers.push_back(MessageAnswer::No);
    qobject_cast<QAction *>(w->control(QStringLiteral("mnuEsci")))->trigger();
    QCOMPARE(program_->dialogs->shown.back().icon, MessageIcon::Question);
    QCOMPARE(program_->dialogs->shown.back().text, QStringLiteral("Vuoi tornare al menu?"));
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormEserci")});
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(w->Text1->text(), QStringLiteral("1"));
    QVERIFY(w->control(QStringLiteral("ComandoIconaNo"))->property("visible").toBool());
}

void TestEserci::exitAnsweredYes()
{
    FormEserci *w = openEserci(*program_, 6, 7);
    program_->rnd->draw(0, 4);
    answer(w->Text1, QStringLiteral("42"));
    program_->dialogs->answers.push_back(MessageAnswer::Yes);
    qobject_cast<QAction *>(w->control(QStringLiteral("mnuEsci")))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormMenuNumeri")});
    QCOMPARE(state().contaEsatti, 0);
    QCOMPARE(state().contaErrati, 0);
}

void TestEserci::windowCloseEndsProgramWithoutAsking()
{
    FormEserci *w = openEserci(*program_, 1, 2);
    QPointer<FormEserci> window = w;
    // The program's event loop ends by itself once the only window is closed.
    QTimer::singleShot(0, w, &QWidget::close);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(program_->dialogs->shown.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

QTEST_MAIN(TestEserci)
#include "tst_eserci.moc"
