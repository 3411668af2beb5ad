#include "Fakes.h"
#include "exercises/tables/Form1.h"
#include "exercises/tables/FormEserci.h"
#include "exercises/tables/FormEsercizi.h"
#include "frame/DigitBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// What every window inherits from the frame: Enter on a focused button, and
// answers that stay readable once disabled.
class TestFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void enterOnAvantiInEserci_data();
    void enterOnAvantiInEserci();
    void enterOnAvantiInForm1();
    void enterOnTheBoard();
    void enterOnMenuButton();
    void disabledAnswersStayReadable();
    void retryAfterWrongAnswer_data();
    void retryAfterWrongAnswer();

private:
    std::unique_ptr<TestProgram> program_;
};

namespace {

// One keystroke as the window system delivers it: the press to the widget
// that has the focus, the release to the one that has it after the press,
// and as many auto-repeats in between as asked for.
void keystroke(FormBase *window, Qt::Key key, int repeats = 0)
{
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    const QString text = key == Qt::Key_Enter || key == Qt::Key_Return ? QStringLiteral("\r")
                         : key == Qt::Key_Backspace                     ? QStringLiteral("\b")
                                                                        : QString(QChar(u'0' + (key - Qt::Key_0)));
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(window->focusWidget(), &press);
    for (int i = 0; i < repeats; ++i) {
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, press.text(), true);
        QApplication::sendEvent(window->focusWidget(), &up);
        QKeyEvent down(QEvent::KeyPress, key, modifiers, press.text(), true);
        QApplication::sendEvent(window->focusWidget(), &down);
    }
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, press.text());
    QApplication::sendEvent(window->focusWidget(), &release);
}

// Digits as typed; 'b' is Backspace, 'c' a click at the right end of the
// focused box, where a cursor placed by it would append.
void typeKeys(FormBase *window, const QString &keys)
{
    for (const QChar c : keys) {
        QWidget *box = window->focusWidget();
        if (c == u'c')
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
        else
            keystroke(window, c == u'b' ? Qt::Key_Backspace : Qt::Key(Qt::Key_0 + c.digitValue()));
    }
}

void typeAnswer(FormBase *window, int number)
{
    typeKeys(window, QString::number(number));
    keystroke(window, Qt::Key_Return);
}

QPushButton *avanti(FormBase *w)
{
    return qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
}

} // namespace

void TestFrame::enterOnAvantiInEserci_data()
{
    QTest::addColumn<Qt::Key>("enter");
    QTest::addColumn<int>("repeats");
    QTest::newRow("Return") << Qt::Key_Return << 0;
    QTest::newRow("keypad Enter") << Qt::Key_Enter << 0;
    QTest::newRow("Return held down") << Qt::Key_Return << 5;
}

void TestFrame::enterOnAvantiInEserci()
{
    QFETCH(Qt::Key, enter);
    QFETCH(int, repeats);
    program_->rnd->draw(0, 18);
    program_->rnd->draw(7, 11);
    program_->rnd->draw(6, 11);
    auto *w = static_cast<FormEserci *>(openWindow(QStringLiteral("FormEserci")));
    QCOMPARE(w->focusWidget(), w->Text1);

    program_->rnd->draw(0, 4);   // the yes sound
    typeAnswer(w, 42);
    // The keystroke that judged the answer moved the focus and nothing else.
    QCOMPARE(state().contaEsatti, 1);
    QCOMPARE(w->focusWidget(), avanti(w));
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 7 x  6 = "));
    QCOMPARE(program_->rnd->unscripted, 0);

    program_->rnd->draw(1, 18);
    program_->rnd->draw(3, 11);
    program_->rnd->draw(4, 11);
    keystroke(w, enter, repeats);
    QCOMPARE(w->EtichettaNumero[0]->text(), QStringLiteral(" 3 x  4 = "));
    QCOMPARE(w->focusWidget(), w->Text1);
    QVERIFY(!avanti(w)->isEnabled());
    QVERIFY(!avanti(w)->isDown());
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
    QCOMPARE(state().contaErrati, 0);
}

void TestFrame::enterOnAvantiInForm1()
{
    program_->rnd->draw(1, 10);   // counting by 2
    auto *w = static_cast<Form1 *>(openWindow(QStringLiteral("Form1")));
    for (int k = 1; k <= 10; ++k) {
        if (k == 10)
            program_->rnd->draw(0, 4);
        typeAnswer(w, 2 * k);
    }
    QCOMPARE(state().contaEsatti, 10);
    QCOMPARE(w->focusWidget(), avanti(w));
    QCOMPARE(w->Label3->text(), QStringLiteral("2"));

    program_->rnd->draw(4, 10);   // then by 5
    keystroke(w, Qt::Key_Return);
    QCOMPARE(w->Label3->text(), QStringLiteral("5"));
    QCOMPARE(w->focusWidget(), w->Text1[1]);
    QCOMPARE(program_->rnd->unscripted, 0);
    typeAnswer(w, 5);
    QCOMPARE(state().contaEsatti, 11);
}

void TestFrame::enterOnTheBoard()
{
    program_->rnd->draw(0, 18);
    program_->rnd->draw(7, 11);
    program_->rnd->draw(6, 11);
    auto *w = static_cast<NumberBoardForm *>(openWindow(QStringLiteral("FormEsercizi2")));
    w->Numero[42]->setFocus();
    program_->rnd->draw(0, 4);   // the yes sound
    keystroke(w, Qt::Key_Return);
    QCOMPARE(state().contaEsatti, 1);
    QCOMPARE(w->focusWidget(), avanti(w));

    program_->rnd->draw(1, 18);
    program_->rnd->draw(3, 11);
    program_->rnd->draw(4, 11);
    keystroke(w, Qt::Key_Return);
    QCOMPARE(w->EtichettaNumero->text(), QStringLiteral(" 3 x  4 ="));
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestFrame::enterOnMenuButton()
{
    // A menu starts with the focus on its first button.
    FormBase *menu = openWindow(QStringLiteral("FormMenu"));
    QCOMPARE(menu->focusWidget(), menu->control(QStringLiteral("Command2")));
    QPointer<FormBase> guard(menu);
    keystroke(menu, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!guard);
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormMenuGrafici")});
}

void TestFrame::disabledAnswersStayReadable()
{
    int boxes = 0;
    for (const auto &[name, factory] : state().windows) {
        if (!factory)
            continue;
        program_->rnd->push(0.5);   // whatever a window draws first
        FormBase *w = openWindow(name);
        QVERIFY2(w, qPrintable(name));
        for (DigitBox *box : w->findChildren<DigitBox *>()) {
            const QPalette &p = box->palette();
            const double ratio = contrast(p.color(QPalette::Disabled, QPalette::Text),
                                          p.color(QPalette::Disabled, QPalette::Base));
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 %2: %3").arg(name, box->objectName()).arg(ratio)));
            ++boxes;
        }
        closeAllWindows();
    }
    QVERIFY(boxes > 0);
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"

void TestFrame::retryAfterWrongAnswer_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("retry");   // keys typed after the wrong answer
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("right");
    // FormEserci asks 7 x 6; Form1 counts by 2, its first box asks 2.
    QTest::newRow("retyped") << "FormEserci" << "54" << "42" << "42" << 1;
    QTest::newRow("last digit mended") << "FormEserci" << "43" << "b2" << "42" << 1;
    QTest::newRow("all rubbed out") << "FormEserci" << "54" << "bb42" << "42" << 1;
    QTest::newRow("retyped wrong again") << "FormEserci" << "54" << "56" << "56" << 0;
    QTest::newRow("table step") << "Form1" << "3" << "2" << "2" << 1;
    QTest::newRow("clicked, then retyped") << "FormEserci" << "54" << "c42" << "42" << 1;
    QTest::newRow("clicked, then mended") << "FormEserci" << "43" << "cb2" << "42" << 1;
    QTest::newRow("clicked after typing") << "FormEserci" << "54" << "4c2" << "42" << 1;
}

// After a wrong answer the kept digits are selected: typing replaces them,
// even after a click into the box, Backspace takes off the last, and one
// error is counted per Enter.
void TestFrame::retryAfterWrongAnswer()
{
    QFETCH(QString, window);
    QFETCH(QString, wrong);
    QFETCH(QString, retry);
    QFETCH(QString, shown);
    QFETCH(int, right);
    if (window == QLatin1String("FormEserci")) {
        program_->rnd->draw(0, 18);
        program_->rnd->draw(7, 11);
        program_->rnd->draw(6, 11);
    } else {
        program_->rnd->draw(1, 10);
    }
    FormBase *w = openWindow(window);
    auto *box = qobject_cast<DigitBox *>(w->focusWidget());
    QVERIFY(box);
    typeKeys(w, wrong);
    keystroke(w, Qt::Key_Return);
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(w->focusWidget(), box);
    QCOMPARE(box->selectedText(), wrong);

    program_->rnd->draw(0, 4);   // a yes sound, if the retry is right
    typeKeys(w, retry);
    QCOMPARE(box->text(), shown);
    keystroke(w, Qt::Key_Return);
    QCOMPARE(state().contaEsatti, right);
    QCOMPARE(state().contaErrati, 2 - right);
}
