#include "Fakes.h"
#include "app/Menus.h"
#include "exercises/tables/FormEserci.h"
#include "frame/DigitBox.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

FormBase *onlyWindow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FormBase *found = nullptr;
    int visible = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<FormBase *>(w); f && f->isVisible()) {
            found = f;
            ++visible;
        }
    }
    return visible == 1 ? found : nullptr;
}

FormBase *press(FormBase *window, const QString &button)
{
    auto *b = qobject_cast<QPushButton *>(window->control(button));
    if (!b || !b->isEnabled())
        return nullptr;
    QTest::mouseClick(b, Qt::LeftButton);
    return onlyWindow();
}

QCheckBox *soundsBox(FormBase *menu)
{
    return qobject_cast<QCheckBox *>(menu->control(QStringLiteral("Check1")));
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void captionsAndDestinations_data();
    void captionsAndDestinations();
    void soundsSwitchAgreesEverywhere();
    void countsStartAtZeroOnEveryVisit();
    void backgroundAndSoundsBoxShareTheColour();
    void menuWindowCloseEndsProgram();
    void readAloudBox_data();
    void readAloudBox();
    void captionsReadOnPointerAndFocus();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestMenus::captionsAndDestinations_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("opens");
    const auto row = [](const char *menu, const char *button, const char *caption, const char *opens) {
        QTest::addRow("%s %s", menu, button) << QString::fromUtf8(menu) << QString::fromUtf8(button)
                                              << QString::fromUtf8(caption) << QString::fromUtf8(opens);
    };
    row("FormMenu", "Command2", "Esercizi con supporto grafico", "FormMenuGrafici");
    row("FormMenu", "Command3", "Esercizi con solo numeri", "FormMenuNumeri");
    row("FormMenuGrafici", "Command5", "Schieramenti semplici (unità x unità)", "Formu");
    row("FormMenuGrafici", "Command6", "Schieramenti -  da u  (prodotto entro 99) - senza cambio", "FormdauS");
    row("FormMenuGrafici", "Command7", "Schieramenti -  h da u  (prodotto entro 999) - senza cambio", "FormhdauS");
    row("FormMenuGrafici", "Command4", "Schieramenti -  da u  (prodotto entro 99) - con cambio", "formdau99");
    row("FormMenuGrafici", "Command3", "Schieramenti  -  da u (prodotto entro 999) - con cambio", "Formdau");
    row("FormMenuGrafici", "Command2", " Schieramenti  - h da u  (prodotto entro 999) - con cambio", "Formhdau");
    row("FormMenuGrafici", "Command8", "Reticoli", "Reticoli");
    row("FormMenuGrafici", "Command1", "Costruire le numerazioni con la tabella", "Form1");
    row("FormMenuGrafici", "Command10", "Costruire le numerazioni con il disegno", "FormEserc2");
    row("FormMenuGrafici", "Command9", "Semplici problemi con disegno", "FormEserc1");
    row("FormMenuGrafici", "Command12", "Memorizzare le tabelline  (con tabella da 0 a 99)", "FormEsercizi");
    row("FormMenuGrafici", "Command19", "Torna al menù principale", "FormMenu");
    row("FormMenuNumeri", "Command11", "Memorizzare le tabelline", "FormEserci");
    row("FormMenuNumeri", "Command12", "Memorizzare le tabelline  (con tabella da 0 a 99)", "FormEsercizi2");
    row("FormMenuNumeri", "Command2", "Completare la tavola pitagorica", "Form2");
    row("FormMenuNumeri", "Command14", "In colonna - 2 cifre per una cifra - (senza cambio)", "FormCol1");
    row("FormMenuNumeri", "Command13", "In colonna - 3 cifre per una cifra - (senza cambio)", "FormCola");
    row("FormMenuNumeri", "Command16", "In colonna - 2 cifre per una cifra - (con il cambio)", "FormCol2");
    row("FormMenuNumeri", "Command15", "In colonna - 3 cifre per una cifra - (con il cambio)", "Formcolb");
    row("FormMenuNumeri", "Command17", "In colonna - 3 cifre per due cifre - (con il cambio)", "FormColc");
    row("FormMenuNumeri", "Command18", "griglia  - 3 cifre per due cifre -     (con il cambio)", "Formreti");
    row("FormMenuNumeri", "Command1", "Torna al menù principale", "FormMenu");
}

void TestMenus::captionsAndDestinations()
{
    QFETCH(QString, menu);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, opens);
    // Empty language files leave the layout captions showing.
    program_->writeFile(QStringLiteral("Italiano.lng"), "[Strings]\r\n");
    program_->writeFile(QStringLiteral("English.lng"), "[Strings]\r\n");
    FormBase *m = openWindow(menu);
    auto *b = qobject_cast<QPushButton *>(m->control(button));
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    // A button is disabled exactly while its window is listed but not built;
    // once built, it must open that window.
    const auto window = state().windows.find(opens);
    QVERIFY(window != state().windows.end());
    QCOMPARE(b->isEnabled(), bool(window->second));
    if (!window->second)
        return;
    FormBase *next = press(m, button);
    QVERIFY(next);
    QCOMPARE(next->objectName(), opens);
}

void TestMenus::soundsSwitchAgreesEverywhere()
{
    FormBase *grafici = openWindow(QStringLiteral("FormMenuGrafici"));
    QVERIFY(soundsBox(grafici)->isChecked());
    soundsBox(grafici)->click();
    QVERIFY(!state().suoniAttivati);

    FormBase *menu = press(grafici, QStringLiteral("Command19"));
    QVERIFY(!soundsBox(menu)->isChecked());
    FormBase *numeri = press(menu, QStringLiteral("Command3"));
    QVERIFY(!soundsBox(numeri)->isChecked());

    auto *eserci = static_cast<FormEserci *>(press(numeri, QStringLiteral("Command11")));
    QVERIFY(eserci);
    eserci->Text1->setText(QStringLiteral("999"));
    QTest::keyClick(eserci->Text1, Qt::Key_Return);
    QCOMPARE(state().contaErrati, 1);
    QVERIFY(program_->sound->played.empty());
}

void TestMenus::countsStartAtZeroOnEveryVisit()
{
    FormBase *numeri = openWindow(QStringLiteral("FormMenuNumeri"));
    auto *eserci = static_cast<FormEserci *>(press(numeri, QStringLiteral("Command11")));
    eserci->Text1->setText(QStringLiteral("999"));
    QTest::keyClick(eserci->Text1, Qt::Key_Return);
    QTest::keyClick(eserci->Text1, Qt::Key_Return);
    QCOMPARE(state().contaErrati, 2);

    program_->dialogs->answers.push_back(MessageAnswer::Yes);
    qobject_cast<QAction *>(eserci->control(QStringLiteral("mnuEsci")))->trigger();
    numeri = onlyWindow();
    QCOMPARE(numeri->objectName(), QStringLiteral("FormMenuNumeri"));
    eserci = static_cast<FormEserci *>(press(numeri, QStringLiteral("Command11")));
    QCOMPARE(state().contaEsatti, 0);
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(qobject_cast<QLabel *>(eserci->control(QStringLiteral("EtichettaErrati")))->text(), QStringLiteral(" 0"));
}

void TestMenus::backgroundAndSoundsBoxShareTheColour()
{
    for (const char *name : {"FormMenu", "FormMenuGrafici", "FormMenuNumeri"}) {
        program_->rnd->draw(8, 18);
        FormBase *menu = openWindow(QString::fromLatin1(name));
        QCOMPARE(menu->background(), QColor(128, 255, 128));
        QCOMPARE(soundsBox(menu)->palette().color(QPalette::Window), menu->background());
        closeAllWindows();
    }
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestMenus::menuWindowCloseEndsProgram()
{
    FormBase *menu = openWindow(QStringLiteral("FormMenuGrafici"));
    QTimer::singleShot(0, menu, &QWidget::close);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(program_->dialogs->shown.empty());
}

void TestMenus::readAloudBox_data()
{
    QTest::addColumn<Speaker::Readiness>("atOpening");
    QTest::addColumn<Speaker::Readiness>("later");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("tip");
    using R = Speaker::Readiness;
    const QString usable = QStringLiteral("Metti il segno per sentire leggere gli esercizi");
    const QString noEngine =
        QStringLiteral("Non si può leggere ad alta voce: sul computer non c'è un programma che legge");
    const QString noVoice =
        QStringLiteral("Non si può leggere ad alta voce: sul computer non c'è una voce per questa lingua");
    QTest::newRow("ready") << R::Ready << R::Ready << true << usable;
    QTest::newRow("starting") << R::Starting << R::Starting << true << usable;
    QTest::newRow("no engine") << R::NoEngine << R::NoEngine << false << noEngine;
    QTest::newRow("voice lost") << R::Ready << R::NoVoice << false << noVoice;
    QTest::newRow("engine found") << R::Starting << R::Ready << true << usable;
    QTest::newRow("engine missing after starting") << R::Starting << R::NoEngine << false << noEngine;
}

// The box switches reading aloud; it follows the speaker, disabled and saying
// why while there is no engine or no voice.
void TestMenus::readAloudBox()
{
    QFETCH(Speaker::Readiness, atOpening);
    QFETCH(Speaker::Readiness, later);
    QFETCH(bool, enabled);
    QFETCH(QString, tip);
    program_->speaker->setReadiness(atOpening);
    auto *menu = static_cast<FormMenu *>(openWindow(QStringLiteral("FormMenu")));
    program_->speaker->setReadiness(later);
    QCOMPARE(menu->Check2->text(), QStringLiteral("Leggi ad alta voce"));
    QVERIFY(!menu->Check2->isChecked());
    QCOMPARE(menu->Check2->isEnabled(), enabled);
    QCOMPARE(menu->Check2->toolTip(), tip);
    QTest::mouseClick(menu->Check2, Qt::LeftButton);
    QCOMPARE(state().letturaAttivata, enabled);

    // The switch holds from window to window.
    FormBase *numeri = press(menu, QStringLiteral("Command3"));
    auto *back = static_cast<FormMenu *>(press(numeri, QStringLiteral("Command1")));
    QCOMPARE(back->Check2->isChecked(), enabled);
    QCOMPARE(back->Check2->isEnabled(), enabled);
}

// With reading aloud on, a menu button is read when the pointer comes onto
// it or the focus reaches it, once while it stays there.
void TestMenus::captionsReadOnPointerAndFocus()
{
    FormBase *menu = openWindow(QStringLiteral("FormMenuNumeri"));
    auto *first = qobject_cast<QPushButton *>(menu->control(QStringLiteral("Command11")));
    auto *second = qobject_cast<QPushButton *>(menu->control(QStringLiteral("Command2")));
    auto pointer = [](QWidget *w, QEvent::Type type) {
        if (type == QEvent::Enter) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
            QApplication::sendEvent(w, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(w, &leave);
        }
    };
    pointer(second, QEvent::Enter);
    QVERIFY(program_->speaker->said.empty());

    state().letturaAttivata = true;
    pointer(second, QEvent::Leave);
    pointer(first, QEvent::Enter);
    pointer(first, QEvent::Enter);
    pointer(first, QEvent::Leave);
    pointer(second, QEvent::Enter);
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(second, &focus);
    pointer(first, QEvent::Enter);
    QStringList said;
    for (const RecordingSpeaker::Said &s : program_->speaker->said)
        said << s.text;
    QCOMPARE(said, (QStringList{"Memorizzare le tabelline", "Completare la tavola pitagorica",
                                "Memorizzare le tabelline"}));

    program_->speaker->setReadiness(Speaker::Readiness::NoEngine);
    pointer(second, QEvent::Leave);
    pointer(second, QEvent::Enter);
    QCOMPARE(program_->speaker->said.size(), 3u);
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
