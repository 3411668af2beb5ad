#include "Fakes.h"
#include "exercises/tables/Form1.h"
#include "frame/DigitBox.h"
#include "frame/Shapes.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

// Opens Form1; its activation draws the first Passo.
Form1 *openForm1(TestProgram &program, int passo)
{
    program.rnd->draw(passo - 1, 10);
    return static_cast<Form1 *>(openWindow(QStringLiteral("Form1")));
}

void answer(DigitBox *box, const QString &digits)
{
    box->setFocus();
    QTest::keyClicks(box, digits);
    QTest::keyClick(box, Qt::Key_Return);
}

QWidget *widget(FormBase *w, const QString &name, int index = -1)
{
    return qobject_cast<QWidget *>(w->control(name, index));
}

QPushButton *avanti(FormBase *w)
{
    return qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
}

QString label(FormBase *w, const QString &name)
{
    return qobject_cast<QLabel *>(w->control(name))->text();
}

// How many cells show, or -1 when the shown cells are not the first ones in
// table order.
int shownCells(const Form1 *w)
{
    int shown = 0;
    for (int k = 0; k < Form1::kCelle; ++k) {
        if (w->Shape1[k]->isHidden())
            continue;
        if (k != shown)
            return -1;
        ++shown;
    }
    return shown;
}

// The only enabled answer box, 0 when none is.
int enabledBox(const Form1 *w)
{
    int found = 0;
    for (int k = 1; k <= Form1::kCaselle; ++k) {
        if (w->Text1[k]->isEnabled())
            found = found ? -1 : k;
    }
    return found;
}

// Answers the ten boxes right; the last answer plays the yes sound si1.
void completeExercise(TestProgram &program, Form1 *w)
{
    for (int k = 1; k <= Form1::kCaselle; ++k) {
        if (k == Form1::kCaselle)
            program.rnd->draw(0, 4);
        answer(w->Text1[k], QString::number(k * w->Passo()));
    }
}

void chooseTerms(Form1 *w, std::initializer_list<int> ticked)
{
    qobject_cast<QAction *>(w->control(QStringLiteral("MenuNumeroMassimo")))->trigger();
    for (int term = 1; term <= 10; ++term)
        qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), term))
            ->setChecked(std::find(ticked.begin(), ticked.end(), term) != ticked.end());
}

void confirmTerms(Form1 *w)
{
    QTest::mouseClick(qobject_cast<QPushButton *>(w->control(QStringLiteral("Command1"))), Qt::LeftButton);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void countsUpToTenSteps_data();
    void countsUpToTenSteps();
    void onlySevenTicked();
    void wrongAnswerStaysInItsBox();
    void avantiIgnoredWithNoTermTicked();
    void stuckGeneratorDoesNotFreeze();
    void cellsFollowTheScaledTemplate();
    void resizeMovesLayoutButNotCells();
    void localisedFromLanguageFile_data();
    void localisedFromLanguageFile();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestForm1::countsUpToTenSteps_data()
{
    QTest::addColumn<int>("passo");
    QTest::newRow("by 1: the first column only") << 1;
    QTest::newRow("by 4") << 4;
    QTest::newRow("by 10: the whole table") << 10;
}

void TestForm1::countsUpToTenSteps()
{
    QFETCH(int, passo);
    Form1 *w = openForm1(*program_, passo);
    const QColor background = w->background();
    QCOMPARE(w->Label3->text(), QString::number(passo));
    QVERIFY(!avanti(w)->isEnabled());

    for (int k = 1; k <= Form1::kCaselle; ++k) {
        QCOMPARE(shownCells(w), k * passo);
        QCOMPARE(enabledBox(w), k);
        QCOMPARE(w->focusWidget(), w->Text1[k]);
        // The box waiting next tells a screen reader nothing of this answer.
        if (k < Form1::kCaselle)
            QCOMPARE(w->Text1[k + 1]->accessibleName(), QStringLiteral("risposta"));
        if (k == Form1::kCaselle)
            program_->rnd->draw(3, 4);
        answer(w->Text1[k], QString::number(k * passo));
        QCOMPARE(state().contaEsatti, k);
        QCOMPARE(label(w, QStringLiteral("EtichettaEsatti")), signSpaced(k));
        if (k < Form1::kCaselle)
            QVERIFY(program_->sound->played.empty());
    }

    QCOMPARE(shownCells(w), Form1::kCaselle * passo);
    QCOMPARE(enabledBox(w), 0);
    QCOMPARE(program_->sound->played.size(), 1u);
    QVERIFY(program_->sound->played.front().endsWith(QStringLiteral("suoni/si4.wav")));
    QVERIFY(avanti(w)->isEnabled());
    QCOMPARE(w->focusWidget(), avanti(w));
    QCOMPARE(w->background(), background);
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm1::onlySevenTicked()
{
    Form1 *w = openForm1(*program_, 3);
    const QColor background = w->background();
    chooseTerms(w, {7});
    QVERIFY(w->control(QStringLiteral("CorniceNumeroMassimo"))->property("visible").toBool());

    program_->rnd->draw(0, 10);   // 1, not ticked
    program_->rnd->draw(9, 10);   // 10, not ticked
    program_->rnd->draw(6, 10);   // 7
    confirmTerms(w);
    QVERIFY(!w->control(QStringLiteral("CorniceNumeroMassimo"))->property("visible").toBool());
    QCOMPARE(w->Passo(), 7);
    QCOMPARE(w->Label3->text(), QStringLiteral("7"));
    QCOMPARE(shownCells(w), 7);

    answer(w->Text1[1], QStringLiteral("7"));
    answer(w->Text1[2], QStringLiteral("14"));
    QCOMPARE(w->Label3->text(), QStringLiteral("7"));
    QCOMPARE(label(w, QStringLiteral("EtichettaEsatti")), QStringLiteral(" 2"));
    for (int k = 3; k < Form1::kCaselle; ++k)
        answer(w->Text1[k], QString::number(7 * k));
    QCOMPARE(shownCells(w), 70);
    program_->rnd->draw(0, 4);
    answer(w->Text1[10], QStringLiteral("70"));
    QCOMPARE(state().contaEsatti, 10);
    QCOMPARE(shownCells(w), 70);

    // "avanti" starts again among the ticked terms, with the same colour.
    program_->rnd->draw(4, 10);
    program_->rnd->draw(6, 10);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QVERIFY(!avanti(w)->isEnabled());
    QCOMPARE(w->Passo(), 7);
    QCOMPARE(shownCells(w), 7);
    QCOMPARE(enabledBox(w), 1);
    for (int k = 1; k <= Form1::kCaselle; ++k) {
        QVERIFY(w->Text1[k]->text().isEmpty());
        QVERIFY(!w->Text1[k]->isHidden());
    }
    QCOMPARE(w->background(), background);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm1::wrongAnswerStaysInItsBox()
{
    Form1 *w = openForm1(*program_, 4);
    answer(w->Text1[1], QStringLiteral("4"));

    answer(w->Text1[2], QStringLiteral("7"));
    QVERIFY(widget(w, QStringLiteral("ComandoIconaNo"))->isVisible());
    QVERIFY(!widget(w, QStringLiteral("ComandoIconaSi"))->isVisible());
    QCOMPARE(program_->sound->played.size(), 1u);
    QVERIFY(program_->sound->played.front().endsWith(QStringLiteral("suoni/no.wav")));
    QCOMPARE(state().contaErrati, 1);
    QCOMPARE(label(w, QStringLiteral("EtichettaErrati")), QStringLiteral(" 1"));
    QCOMPARE(w->Text1[2]->text(), QStringLiteral("7"));
    QCOMPARE(enabledBox(w), 2);
    QCOMPARE(w->focusWidget(), w->Text1[2]);
    QCOMPARE(shownCells(w), 8);

    QTest::keyClick(w->Text1[2], Qt::Key_Return);
    QCOMPARE(state().contaErrati, 2);

    QTest::keyClick(w->Text1[2], Qt::Key_Backspace);
    answer(w->Text1[2], QStringLiteral("8"));
    QCOMPARE(state().contaEsatti, 2);
    QVERIFY(widget(w, QStringLiteral("ComandoIconaSi"))->isVisible());
    QCOMPARE(enabledBox(w), 3);
    QCOMPARE(shownCells(w), 12);

    // Enter in an empty box does nothing.
    QTest::keyClick(w->Text1[3], Qt::Key_Return);
    QCOMPARE(state().contaErrati, 2);
    QCOMPARE(state().contaEsatti, 2);
    QCOMPARE(program_->sound->played.size(), 2u);
    QCOMPARE(enabledBox(w), 3);
}

void TestForm1::avantiIgnoredWithNoTermTicked()
{
    Form1 *w = openForm1(*program_, 2);
    completeExercise(*program_, w);
    QVERIFY(avanti(w)->isEnabled());

    chooseTerms(w, {});
    avanti(w)->click();
    QVERIFY(w->control(QStringLiteral("CorniceNumeroMassimo"))->property("visible").toBool());
    QVERIFY(avanti(w)->isEnabled());
    QCOMPARE(w->Text1[10]->text(), QStringLiteral("20"));
    QCOMPARE(shownCells(w), 20);
    QCOMPARE(program_->rnd->unscripted, 0);

    confirmTerms(w);
    QCOMPARE(program_->dialogs->shown.size(), 1u);
    QCOMPARE(program_->dialogs->shown.front().icon, MessageIcon::Error);
    QVERIFY(w->control(QStringLiteral("CorniceNumeroMassimo"))->property("visible").toBool());

    qobject_cast<QCheckBox *>(w->control(QStringLiteral("OpPrimo"), 3))->setChecked(true);
    program_->rnd->draw(2, 10);
    confirmTerms(w);
    QCOMPARE(w->Passo(), 3);
    QCOMPARE(shownCells(w), 3);
    QVERIFY(!avanti(w)->isEnabled());
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm1::stuckGeneratorDoesNotFreeze()
{
    // Unscripted draws all read 0, which always gives 1.
    auto *w = static_cast<Form1 *>(openWindow(QStringLiteral("Form1")));
    QCOMPARE(w->Passo(), 1);
    chooseTerms(w, {7, 9});
    confirmTerms(w);
    QCOMPARE(w->Passo(), 7);
    QCOMPARE(program_->rnd->unscripted, 1 + Form1::kMaxEstrazioni);
    QCOMPARE(shownCells(w), 7);
}

void TestForm1::cellsFollowTheScaledTemplate()
{
    Form1 *w = openForm1(*program_, 5);
    const QSize cell = w->Shape1[0]->size();
    // The design cell is 40 pixels; full screen stretches it.
    QVERIFY(cell.width() >= 40 && cell.height() > 40);
    for (int k = 0; k < Form1::kCelle; ++k) {
        QCOMPARE(w->Shape1[k]->parentWidget(), w->Picture1);
        QCOMPARE(w->Shape1[k]->size(), cell);
        QCOMPARE(w->Shape1[k]->pos(), QPoint(cell.width() * (k / 10), cell.height() * (k % 10)));
        QCOMPARE(w->Shape1[k]->fill(), QColor(128, 128, 255));
    }
    // The picture holds the table exactly, and the dividers cut it into four
    // blocks of 5 x 5 cells.
    QCOMPARE(w->Picture1->size(), QSize(10 * cell.width(), 10 * cell.height()));
    QCOMPARE(QLine(w->Line3->x1(), w->Line3->y1(), w->Line3->x2(), w->Line3->y2()),
             QLine(0, 5 * cell.height(), 10 * cell.width(), 5 * cell.height()));
    QCOMPARE(QLine(w->Line4->x1(), w->Line4->y1(), w->Line4->x2(), w->Line4->y2()),
             QLine(5 * cell.width(), 0, 5 * cell.width(), 10 * cell.height()));
}

void TestForm1::resizeMovesLayoutButNotCells()
{
    Form1 *w = openForm1(*program_, 5);
    const QRect picture = w->Picture1->geometry();
    const QRect boxTen = w->Text1[10]->geometry();
    const QRect cell55 = w->Shape1[55]->geometry();
    const QRect template0 = w->Shape1[0]->geometry();
    const int line4 = w->Line4->x1();

    w->resize(w->width() / 2, w->height() / 2);
    QCoreApplication::processEvents();
    QVERIFY(w->Picture1->geometry() != picture);
    QVERIFY(w->Text1[10]->geometry() != boxTen);
    QVERIFY(w->Shape1[0]->geometry() != template0);
    QVERIFY(w->Line4->x1() != line4);
    QCOMPARE(w->Shape1[55]->geometry(), cell55);
}

void TestForm1::localisedFromLanguageFile_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("next");
    QTest::newRow("Italiano") << "Italiano" << "Costruire le numerazioni con la tabella" << "Conferma" << "avanti";
    QTest::newRow("English") << "English" << "Count in steps with the table" << "OK" << "next";
}

void TestForm1::localisedFromLanguageFile()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, confirm);
    QFETCH(QString, next);
    state().currentLanguageName = language;
    Form1 *w = openForm1(*program_, 1);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(qobject_cast<QPushButton *>(w->control(QStringLiteral("Command1")))->text(), confirm);
    QCOMPARE(avanti(w)->text(), next);
    QVERIFY(!qobject_cast<QGroupBox *>(w->control(QStringLiteral("CorniceNumeroMassimo")))->title().isEmpty());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
