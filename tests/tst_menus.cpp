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

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
