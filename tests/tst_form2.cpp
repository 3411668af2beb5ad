#include "Fakes.h"
#include "exercises/tables/Form2.h"
#include "frame/DigitBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

// Scripts draws of floor(Rnd x 100) that land on the given cells.
void drawCells(TestProgram &program, const QList<int> &cells)
{
    for (int cell : cells)
        program.rnd->draw(cell, 100);
}

Form2 *openForm2(TestProgram &program, const QList<int> &firstDraws)
{
    drawCells(program, firstDraws);
    return static_cast<Form2 *>(openWindow(QStringLiteral("Form2")));
}

void answer(DigitBox *box, const QString &digits)
{
    box->setFocus();
    QTest::keyClicks(box, digits);
    QTest::keyClick(box, Qt::Key_Return);
}

QPushButton *avanti(FormBase *w)
{
    return qobject_cast<QPushButton *>(w->control(QStringLiteral("BottoneAvanti")));
}

QColor colour(const DigitBox *cell)
{
    return cell->palette().color(QPalette::Base);
}

// The cell to fill, a filled cell, the headers.
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kOrange(255, 196, 120);

// The cells to fill, in table order.
QList<int> cellsToFill()
{
    QList<int> cells;
    for (int k = 0; k < Form2::kCelle; ++k) {
        if (!Form2::intestazione(k))
            cells << k;
    }
    return cells;
}

void verifyHeaders(const Form2 *w)
{
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(w->Text1[i]->text(), QString::number(i + 1));
        QCOMPARE(w->Text1[10 * i]->text(), QString::number(i + 1));
        QVERIFY(!w->Text1[i]->isEnabled());
        QVERIFY(!w->Text1[10 * i]->isEnabled());
        QCOMPARE(colour(w->Text1[10 * i]), kOrange);
    }
}

// The only enabled cell, -1 when none is.
int enabledCell(const Form2 *w)
{
    int found = -1;
    for (int k = 0; k < Form2::kCelle; ++k) {
        if (w->Text1[k]->isEnabled())
            found = found < 0 ? k : -2;
    }
    return found;
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program_ = std::make_unique<TestProgram>(); }
    void cleanup() { program_.reset(); }

    void firstCellIsNeverAHeader_data();
    void firstCellIsNeverAHeader();
    void cellAnswers_data();
    void cellAnswers();
    void cellLengths_data();
    void cellLengths();
    void wholeTableThenAvanti();
    void stuckGeneratorDoesNotFreeze();
    void cellsFollowTheScaledTemplate();
    void resizeMovesLayoutButNotCells();
    void localisedFromLanguageFile_data();
    void localisedFromLanguageFile();

private:
    std::unique_ptr<TestProgram> program_;
};

void TestForm2::firstCellIsNeverAHeader_data()
{
    QTest::addColumn<QList<int>>("draws");
    QTest::newRow("corner") << QList<int>{0, 23};
    QTest::newRow("first column") << QList<int>{5, 9, 23};
    QTest::newRow("first row") << QList<int>{10, 90, 50, 23};
    QTest::newRow("straight to a cell") << QList<int>{23};
}

void TestForm2::firstCellIsNeverAHeader()
{
    QFETCH(QList<int>, draws);
    Form2 *w = openForm2(*program_, draws);
    QCOMPARE(w->CellaCorrente(), 23);
    QCOMPARE(w->CelleProposte(), 1);
    QCOMPARE(enabledCell(w), 23);
    QCOMPARE(colour(w->Text1[23]), kYellow);
    QCOMPARE(w->focusWidget(), w->Text1[23]);
    verifyHeaders(w);
    QVERIFY(w->Text1[24]->text().isEmpty());
    QVERIFY(!avanti(w)->isEnabled());
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm2::cellAnswers_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("right");
    QTest::newRow("23 is 4 x 3") << 23 << "21" << "12";
    QTest::newRow("11 is 2 x 2") << 11 << "5" << "4";
    QTest::newRow("19 is 10 x 2") << 19 << "2" << "20";
    QTest::newRow("91 is 2 x 10") << 91 << "19" << "20";
    QTest::newRow("99 is 10 x 10") << 99 << "10" << "100";
    QTest::newRow("leading zero") << 13 << "9" << "08";
}

void TestForm2::cellAnswers()
{
    QFETCH(int, cell);
    QFETCH(QString, wrong);
    QFETCH(QString, right);
    Form2 *w = openForm2(*program_, {cell});
    DigitBox *box = w->Text1[cell];

    answer(box, wrong);
    answer(box, QString());
    QCOMPARE(state().contaErrati, 2);
    QCOMPARE(qobject_cast<QLabel *>(w->control(QStringLiteral("EtichettaErrati")))->text(), QStringLiteral(" 2"));
    QCOMPARE(box->text(), wrong);
    QCOMPARE(colour(box), kYellow);
    QCOMPARE(enabledCell(w), cell);
    QCOMPARE(w->focusWidget(), box);

    box->clear();
    answer(box, QString());
    QCOMPARE(state().contaErrati, 2);

    program_->rnd->draw(45, 100);
    answer(box, right);
    QCOMPARE(state().contaEsatti, 1);
    QCOMPARE(colour(box), kWhite);
    QVERIFY(!box->isEnabled());
    QCOMPARE(enabledCell(w), 45);
    QCOMPARE(colour(w->Text1[45]), kYellow);
    // A wrong answer sounds; a right one is silent.
    QCOMPARE(program_->sound->played.size(), 2u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm2::cellLengths_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("two digits") << 23 << "123" << "12";
    QTest::newRow("three digits in 10 x 10") << 99 << "1000" << "100";
    QTest::newRow("only digits") << 23 << "1a-,2" << "12";
}

void TestForm2::cellLengths()
{
    QFETCH(int, cell);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Form2 *w = openForm2(*program_, {cell});
    QTest::keyClicks(w->Text1[cell], typed);
    QCOMPARE(w->Text1[cell]->text(), kept);
}

void TestForm2::wholeTableThenAvanti()
{
    // The random part runs from the last cell backwards, with a redraw on a
    // filled cell and one on a header along the way.
    const QList<int> toFill = cellsToFill();
    QCOMPARE(toFill.size(), Form2::kDaRiempire);
    QList<int> randomOrder;
    for (qsizetype i = toFill.size() - 1; randomOrder.size() < Form2::kCasuali; --i)
        randomOrder << toFill[i];
    QList<int> draws = randomOrder;
    draws.insert(1, 99);
    draws.insert(2, 40);
    Form2 *w = openForm2(*program_, draws);

    QList<int> asked;
    for (int n = 1; n <= Form2::kDaRiempire; ++n) {
        const int cell = w->CellaCorrente();
        QCOMPARE(w->CelleProposte(), n);
        QCOMPARE(enabledCell(w), cell);
        QCOMPARE(colour(w->Text1[cell]), kYellow);
        asked << cell;
        answer(w->Text1[cell], QString::number(Form2::prodottoAtteso(cell)));
        QCOMPARE(state().contaEsatti, n);
        if (n < Form2::kDaRiempire)
            QVERIFY(!avanti(w)->isEnabled());
    }

    // After the 60th cell the rest come in table order: the leftmost
    // incomplete column first, top to bottom.
    QCOMPARE(asked.mid(0, Form2::kCasuali), randomOrder);
    QCOMPARE(asked.mid(Form2::kCasuali), toFill.mid(0, Form2::kDaRiempire - Form2::kCasuali));
    QCOMPARE(asked.mid(Form2::kCasuali, 10), (QList<int>{11, 12, 13, 14, 15, 16, 17, 18, 19, 21}));

    QVERIFY(avanti(w)->isEnabled());
    QVERIFY(w->focusWidget() != avanti(w));
    QCOMPARE(enabledCell(w), -1);
    QVERIFY(program_->sound->played.empty());
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(qobject_cast<QLabel *>(w->control(QStringLiteral("EtichettaEsatti")))->text(), QStringLiteral(" 81"));
    for (int cell : toFill) {
        QCOMPARE(w->Text1[cell]->text(), QString::number(Form2::prodottoAtteso(cell)));
        QCOMPARE(colour(w->Text1[cell]), kWhite);
    }
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);

    program_->rnd->draw(57, 100);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QVERIFY(!avanti(w)->isEnabled());
    verifyHeaders(w);
    for (int cell : toFill)
        QVERIFY(w->Text1[cell]->text().isEmpty());
    QCOMPARE(w->CelleProposte(), 1);
    QCOMPARE(enabledCell(w), 57);
    QCOMPARE(colour(w->Text1[57]), kYellow);
    QCOMPARE(colour(w->Text1[58]), kWhite);
    QCOMPARE(w->focusWidget(), w->Text1[57]);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm2::stuckGeneratorDoesNotFreeze()
{
    // Unscripted draws all read 0: the corner header, every time.
    Form2 *w = openForm2(*program_, {});
    QCOMPARE(w->CellaCorrente(), 11);
    QCOMPARE(program_->rnd->unscripted, Form2::kMaxEstrazioni);
    answer(w->Text1[11], QStringLiteral("4"));
    QCOMPARE(w->CellaCorrente(), 12);
    QCOMPARE(w->CelleProposte(), 2);
    QCOMPARE(colour(w->Text1[12]), kYellow);
}

void TestForm2::cellsFollowTheScaledTemplate()
{
    Form2 *w = openForm2(*program_, {23});
    const QSize cell = w->Text1[0]->size();
    QVERIFY(cell.width() >= 46 && cell.height() > 46);
    for (int k = 0; k < Form2::kCelle; ++k) {
        QCOMPARE(w->Text1[k]->parentWidget(), w->Picture1);
        QCOMPARE(w->Text1[k]->size(), cell);
        QCOMPARE(w->Text1[k]->pos(), QPoint(cell.width() * (k / 10), cell.height() * (k % 10)));
        QCOMPARE(w->Text1[k]->maxLength(), k == 99 ? 3 : 2);
        QVERIFY(!w->Text1[k]->isHidden());
    }
    QCOMPARE(w->Picture1->size(), QSize(10 * cell.width(), 10 * cell.height()));
}

void TestForm2::resizeMovesLayoutButNotCells()
{
    Form2 *w = openForm2(*program_, {23});
    const QRect picture = w->Picture1->geometry();
    const QRect template0 = w->Text1[0]->geometry();
    const QRect cell45 = w->Text1[45]->geometry();

    w->resize(w->width() / 2, w->height() / 2);
    QCoreApplication::processEvents();
    QVERIFY(w->Picture1->geometry() != picture);
    QVERIFY(w->Text1[0]->geometry() != template0);
    QCOMPARE(w->Text1[45]->geometry(), cell45);
}

void TestForm2::localisedFromLanguageFile_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("next");
    QTest::newRow("Italiano") << "Italiano" << "Completare la tavola pitagorica" << "avanti";
    QTest::newRow("English") << "English" << "Fill in the times table square" << "next";
}

void TestForm2::localisedFromLanguageFile()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, next);
    state().currentLanguageName = language;
    Form2 *w = openForm2(*program_, {23});
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(avanti(w)->text(), next);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
