#include "Fakes.h"
#include "exercises/tables/Form1.h"
#include "exercises/tables/FormEserci.h"
#include "exercises/tables/FormEsercizi.h"
#include "frame/DigitBox.h"
#include "frame/FittingLabel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// What every window inherits from the frame: Enter on a focused button,
// answers that stay readable once disabled, and reading aloud.
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
    void shutBoxesLookShut_data();
    void shutBoxesLookShut();
    void retryAfterWrongAnswer_data();
    void retryAfterWrongAnswer();
    void sentences_data();
    void sentences();
    void verdicts_data();
    void verdicts();
    void readAgain_data();
    void readAgain();
    void fittingLabel_data();
    void fittingLabel();

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

// Sounds of known lengths: the no sound 700 ms, the yes sound siN 1000 + 100 N.
class TimedSound final : public SoundOutput {
public:
    void play(const QString &) override {}
    int lengthMs(const QString &path) const override
    {
        const QString name = path.section(u'/', -1);
        return name == QLatin1String("no.wav") ? 700 : 1000 + 100 * name.mid(2, 1).toInt();
    }
};

// Opens FormEserci asking 7 x 6.
FormEserci *openEserci76(TestProgram &program)
{
    program.rnd->draw(0, 18);
    program.rnd->draw(7, 11);
    program.rnd->draw(6, 11);
    return static_cast<FormEserci *>(openWindow(QStringLiteral("FormEserci")));
}

QStringList saidTexts(const RecordingSpeaker &speaker)
{
    QStringList texts;
    for (const RecordingSpeaker::Said &s : speaker.said)
        texts << s.text;
    return texts;
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

void TestFrame::shutBoxesLookShut_data()
{
    QTest::addColumn<QColor>("face");           // set for every state, as windows colour cells; invalid: none
    QTest::addColumn<QColor>("disabledFace");   // given by the window; invalid: none
    QTest::addColumn<bool>("faceChanges");
    QTest::newRow("plain box") << QColor() << QColor() << true;
    QTest::newRow("waiting face of its own") << QColor() << QColor(236, 233, 222) << true;
    QTest::newRow("red cell, every state") << QColor(255, 0, 0) << QColor() << false;
    QTest::newRow("navy cell, every state") << QColor(0, 0, 128) << QColor() << false;
}

// A box that takes no answer must not look like one that does, and what it
// holds must stay readable (4.5 to 1) on the face it then shows.
void TestFrame::shutBoxesLookShut()
{
    QFETCH(QColor, face);
    QFETCH(QColor, disabledFace);
    QFETCH(bool, faceChanges);
    DigitBox box;
    if (face.isValid()) {
        QPalette p = box.palette();
        p.setColor(QPalette::Base, face);
        box.setPalette(p);
    }
    if (disabledFace.isValid())
        box.setDisabledFace(disabledFace);
    QFont font = box.font();
    font.setPixelSize(40);
    box.setFont(font);
    box.resize(90, 60);
    box.setText(QStringLiteral("88"));
    const QImage open = box.grab().toImage();
    box.setEnabled(false);
    const QImage shut = box.grab().toImage();

    QVERIFY(open != shut);
    const QPoint inside(6, 30);   // on the face, clear of the rim and the digits
    const QColor shutFace = shut.pixelColor(inside);
    QCOMPARE(shutFace != open.pixelColor(inside), faceChanges);
    // Whatever the face, the rim says it: a good part of it stands out.
    int rim = 0;
    for (int x = 0; x < shut.width(); ++x)
        rim += contrast(shut.pixelColor(x, 1), shutFace) >= 3;
    QVERIFY2(rim >= shut.width() / 3, qPrintable(QString::number(rim)));
    double best = 1;
    for (int x = 20; x < 70; ++x) {
        for (int y = 10; y < 50; ++y)
            best = std::max(best, contrast(shut.pixelColor(x, y), shutFace));
    }
    QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
}

void TestFrame::sentences_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QList<int>>("draws");   // pairs: n, k for floor(Rnd x k) = n
    QTest::addColumn<QString>("action");     // a menu command, or a right answer typed
    QTest::addColumn<QString>("expected");
    const QList<int> eserci78{0, 18, 7, 11, 8, 11};
    const QList<int> factor78{0, 18, 1, 11, 1, 11, 0, 18, 7, 11, 8, 11};
    const QList<int> board67{0, 18, 6, 11, 7, 11};
    QTest::newRow("product it") << "FormEserci" << "Italiano" << eserci78 << "" << "Quanto fa 7 per 8?";
    QTest::newRow("product en") << "FormEserci" << "English" << eserci78 << "" << "What is 7 times 8?";
    QTest::newRow("factor it") << "FormEserci" << "Italiano" << factor78 << "MenuFattore" << "7 per quanto fa 56?";
    QTest::newRow("factor en") << "FormEserci" << "English" << factor78 << "MenuFattore" << "7 times what makes 56?";
    QTest::newRow("counting, first box it") << "Form1" << "Italiano" << QList<int>{2, 10} << ""
                                            << "Contando di 3 in 3, che numero viene dopo 0?";
    QTest::newRow("counting, next box it") << "Form1" << "Italiano" << QList<int>{2, 10} << "3"
                                           << "Bravo! Contando di 3 in 3, che numero viene dopo 3?";
    QTest::newRow("counting, next box en") << "Form1" << "English" << QList<int>{9, 10} << "10"
                                           << "Well done! Counting in 10s, what number comes after 10?";
    QTest::newRow("table cell it") << "Form2" << "Italiano" << QList<int>{23, 100} << "" << "Quanto fa 4 per 3?";
    QTest::newRow("table, next cell en") << "Form2" << "English" << QList<int>{23, 100, 45, 100} << "12"
                                         << "Well done! What is 6 times 5?";
    QTest::newRow("board it") << "FormEsercizi" << "Italiano" << board67 << ""
                              << "Quanto fa 6 per 7? Cerca il risultato nella tabella.";
    QTest::newRow("board en") << "FormEsercizi2" << "English" << board67 << ""
                              << "What is 6 times 7? Find the answer on the board.";
}

// With reading aloud on, each window reads its exercise when it opens and
// each new step with the verdict before it, in one reading.
void TestFrame::sentences()
{
    QFETCH(QString, window);
    QFETCH(QString, language);
    QFETCH(QList<int>, draws);
    QFETCH(QString, action);
    QFETCH(QString, expected);
    state().currentLanguageName = language;
    state().letturaAttivata = true;
    for (qsizetype i = 0; i + 1 < draws.size(); i += 2)
        program_->rnd->draw(draws[i], draws[i + 1]);
    FormBase *w = openWindow(window);
    QCoreApplication::processEvents();
    if (auto *command = qobject_cast<QAction *>(w->control(action)))
        command->trigger();
    else if (!action.isEmpty())
        typeAnswer(w, action.toInt());
    QCoreApplication::processEvents();
    QCOMPARE(saidTexts(*program_->speaker).size(), action.isEmpty() ? 1 : 2);
    QCOMPARE(program_->speaker->said.back().text, expected);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestFrame::verdicts_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<bool>("sounds");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<int>("afterMs");   // of the verdict
    // The yes sound drawn is si3.
    QTest::newRow("right") << "42" << true << true << "Italiano" << QStringList{"Bravo!"} << 1300;
    QTest::newRow("right en") << "42" << true << true << "English" << QStringList{"Well done!"} << 1300;
    QTest::newRow("wrong") << "41" << true << true << "Italiano" << QStringList{"Riprova"} << 700;
    QTest::newRow("right, sounds off") << "42" << true << false << "Italiano" << QStringList{"Bravo!"} << 0;
    QTest::newRow("wrong, sounds off") << "41" << true << false << "English" << QStringList{"Try again"} << 0;
    QTest::newRow("right, reading off") << "42" << false << true << "Italiano" << QStringList{} << 0;
    QTest::newRow("wrong, reading off") << "41" << false << true << "Italiano" << QStringList{} << 0;
}

// A verdict is read after the sound of the answer; the next exercise, read
// on "avanti", follows no sound.
void TestFrame::verdicts()
{
    QFETCH(QString, answer);
    QFETCH(bool, reading);
    QFETCH(bool, sounds);
    QFETCH(QString, language);
    QFETCH(QStringList, said);
    QFETCH(int, afterMs);
    state().platform.sound = std::make_unique<TimedSound>();
    state().currentLanguageName = language;
    state().suoniAttivati = sounds;
    FormEserci *w = openEserci76(*program_);
    state().letturaAttivata = reading;
    if (sounds)
        program_->rnd->draw(2, 4);
    typeAnswer(w, answer.toInt());
    QCoreApplication::processEvents();
    QCOMPARE(saidTexts(*program_->speaker), said);
    if (said.isEmpty())
        return;
    QCOMPARE(program_->speaker->said.back().afterMs, afterMs);

    if (!avanti(w)->isEnabled())
        return;
    program_->rnd->draw(0, 18);
    program_->rnd->draw(2, 11);
    program_->rnd->draw(10, 11);
    avanti(w)->click();
    QCoreApplication::processEvents();
    QCOMPARE(program_->speaker->said.size(), 2u);
    QCOMPARE(program_->speaker->said.back().afterMs, 0);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestFrame::readAgain_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<Speaker::Readiness>("readiness");
    QTest::addColumn<bool>("read");
    using R = Speaker::Readiness;
    QTest::newRow("F5 in the answer box") << "F5" << R::Ready << true;
    QTest::newRow("button clicked") << "click" << R::Ready << true;
    QTest::newRow("Enter on the button") << "Enter" << R::Ready << true;
    QTest::newRow("F5 while the speaker starts") << "F5" << R::Starting << true;
    QTest::newRow("F5 without an engine") << "F5" << R::NoEngine << false;
    QTest::newRow("button without an engine") << "click" << R::NoEngine << false;
    QTest::newRow("Enter without a voice") << "Enter" << R::NoVoice << false;
}

// The speaker button and F5 read the exercise with reading aloud off, and
// leave the answer where it was.
void TestFrame::readAgain()
{
    QFETCH(QString, how);
    QFETCH(Speaker::Readiness, readiness);
    QFETCH(bool, read);
    program_->speaker->setReadiness(readiness);
    FormEserci *w = openEserci76(*program_);
    auto *button = qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneLeggi")));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), QStringLiteral("Leggi di nuovo (F5)"));
    QTest::keyClicks(w->Text1, QStringLiteral("4"));
    if (how == QLatin1String("F5")) {
        // A shortcut serves the active window.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->Text1, Qt::Key_F5);
    } else if (how == QLatin1String("click")) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        button->setFocus();
        keystroke(w, Qt::Key_Return);
    }
    QCOMPARE(saidTexts(*program_->speaker), read ? QStringList{"Quanto fa 7 per 6?"} : QStringList{});
    QCOMPARE(w->Text1->text(), QStringLiteral("4"));
    if (how != QLatin1String("Enter"))
        QCOMPARE(w->focusWidget(), w->Text1);
    QCOMPARE(state().contaErrati + state().contaEsatti, 0);
}

void TestFrame::fittingLabel_data()
{
    QTest::addColumn<QList<QSize>>("sizes");   // the label's sizes in turn, the fit taken at each
    QTest::addColumn<int>("pixels");           // the text's size at the last
    QTest::newRow("fits at its own size") << QList<QSize>{{600, 200}} << 24;
    QTest::newRow("fits at no size") << QList<QSize>{{40, 12}} << 10;
    QTest::newRow("grown again") << QList<QSize>{{40, 12}, {600, 200}} << 24;
    QTest::newRow("shrunk") << QList<QSize>{{600, 200}, {40, 12}} << 10;
}

// The text shrinks to fit down to the smallest size a child reads, and no
// further; each new size of the label is fitted afresh.
void TestFrame::fittingLabel()
{
    QFETCH(QList<QSize>, sizes);
    QFETCH(int, pixels);
    FittingLabel label(QStringLiteral("Trascina ogni cifra nella sua casella"));
    QFont font = label.font();
    font.setPixelSize(24);
    label.setFont(font);
    for (const QSize &size : sizes) {
        label.resize(size);
        QVERIFY(label.paintedFont().pixelSize() <= 24);
    }
    QCOMPARE(label.paintedFont().pixelSize(), pixels);
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
