#include "Fakes.h"
#include "exercises/tables/Form2.h"
#include "frame/DigitBox.h"

#include <QAccessible>
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

QColor colour(const DigitBox *box)
{
    return box->palette().color(QPalette::Base);
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
        QCOMPARE(w->testoCella(i), QString::number(i + 1));
        QCOMPARE(w->testoCella(10 * i), QString::number(i + 1));
        QCOMPARE(w->coloreCella(i), kOrange);
        QCOMPARE(w->coloreCella(10 * i), kOrange);
    }
}

// The cell the answer box stands on when it is open, -1 when it is closed.
int enabledCell(const Form2 *w)
{
    if (!w->Text1->isEnabled())
        return -1;
    for (int k = 0; k < Form2::kCelle; ++k) {
        if (w->Text1->geometry() == w->rettangoloCella(k))
            return k;
    }
    return -2;
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
    void cellsReadByScreenReader();
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
    QCOMPARE(colour(w->Text1), kYellow);
    QCOMPARE(w->coloreCella(23), kYellow);
    QCOMPARE(w->focusWidget(), w->Text1);
    // A screen reader calls the box by its cell's question.
    QCOMPARE(w->Text1->accessibleName(), QStringLiteral("Quanto fa 4 per 3? risposta"));
    verifyHeaders(w);
    QVERIFY(w->testoCella(24).isEmpty());
    QCOMPARE(w->coloreCella(24), kOrange);
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
    DigitBox *box = w->Text1;

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
    QCOMPARE(w->testoCella(cell), right);
    QCOMPARE(w->coloreCella(cell), kWhite);
    QCOMPARE(enabledCell(w), 45);
    QCOMPARE(w->coloreCella(45), kYellow);
    QCOMPARE(colour(box), kYellow);
    QVERIFY(box->text().isEmpty());
    QCOMPARE(box->maxLength(), 2);
    QCOMPARE(w->focusWidget(), box);
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
    QTest::keyClicks(w->Text1, typed);
    QCOMPARE(w->Text1->text(), kept);
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
        QCOMPARE(w->coloreCella(cell), kYellow);
        asked << cell;
        answer(w->Text1, QString::number(Form2::prodottoAtteso(cell)));
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
    QCOMPARE(w->Text1->geometry(), w->rettangoloCella(asked.last()));
    QCOMPARE(colour(w->Text1), kWhite);
    QVERIFY(program_->sound->played.empty());
    QCOMPARE(state().contaErrati, 0);
    QCOMPARE(qobject_cast<QLabel *>(w->control(QStringLiteral("EtichettaEsatti")))->text(), QStringLiteral(" 81"));
    for (int cell : toFill) {
        QCOMPARE(w->testoCella(cell), QString::number(Form2::prodottoAtteso(cell)));
        QCOMPARE(w->coloreCella(cell), kWhite);
    }
    // Every number stays readable on its face, headers and filled cells.
    for (int k = 0; k < Form2::kCelle; ++k)
        QVERIFY2(contrast(w->inchiostroCella(k), w->coloreCella(k)) >= 4.5, qPrintable(QString::number(k)));
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);

    program_->rnd->draw(57, 100);
    QTest::mouseClick(avanti(w), Qt::LeftButton);
    QVERIFY(!avanti(w)->isEnabled());
    verifyHeaders(w);
    for (int cell : toFill)
        QVERIFY(w->testoCella(cell).isEmpty());
    QCOMPARE(w->CelleProposte(), 1);
    QCOMPARE(enabledCell(w), 57);
    QVERIFY(w->Text1->text().isEmpty());
    QCOMPARE(colour(w->Text1), kYellow);
    QCOMPARE(w->coloreCella(57), kYellow);
    // Filled cells stay white until they are highlighted again.
    QCOMPARE(w->coloreCella(58), kWhite);
    QCOMPARE(w->focusWidget(), w->Text1);
    QCOMPARE(program_->rnd->remaining(), 0u);
    QCOMPARE(program_->rnd->unscripted, 0);
}

void TestForm2::stuckGeneratorDoesNotFreeze()
{
    // Unscripted draws all read 0: the corner header, every time.
    Form2 *w = openForm2(*program_, {});
    QCOMPARE(w->CellaCorrente(), 11);
    QCOMPARE(program_->rnd->unscripted, Form2::kMaxEstrazioni);
    answer(w->Text1, QStringLiteral("4"));
    QCOMPARE(w->CellaCorrente(), 12);
    QCOMPARE(w->CelleProposte(), 2);
    QCOMPARE(enabledCell(w), 12);
}

void TestForm2::cellsFollowTheScaledTemplate()
{
    Form2 *w = openForm2(*program_, {23});
    const QSize cell = w->Text1->size();
    QVERIFY(cell.width() >= 46 && cell.height() > 46);
    for (int k = 0; k < Form2::kCelle; ++k)
        QCOMPARE(w->rettangoloCella(k), QRect(QPoint(cell.width() * (k / 10), cell.height() * (k % 10)), cell));
    QCOMPARE(w->Text1->parentWidget(), w->Picture1);
    QCOMPARE(w->Text1->pos(), QPoint(2 * cell.width(), 3 * cell.height()));
    QCOMPARE(w->Picture1->size(), QSize(10 * cell.width(), 10 * cell.height()));
}

void TestForm2::resizeMovesLayoutButNotCells()
{
    Form2 *w = openForm2(*program_, {23});
    const QRect picture = w->Picture1->geometry();
    const QRect box = w->Text1->geometry();
    const QRect cell45 = w->rettangoloCella(45);

    w->resize(w->width() / 2, w->height() / 2);
    QCoreApplication::processEvents();
    QVERIFY(w->Picture1->geometry() != picture);
    QCOMPARE(w->Text1->geometry(), box);
    QCOMPARE(w->rettangoloCella(45), cell45);
    // The box goes on from cell to cell at the table's pitch.
    program_->rnd->draw(45, 100);
    answer(w->Text1, QStringLiteral("12"));
    QCOMPARE(w->Text1->geometry(), cell45);
}

void TestForm2::cellsReadByScreenReader()
{
    state().currentLanguageName = QStringLiteral("English");
    Form2 *w = openForm2(*program_, {23});
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(w->Picture1);
    QVERIFY(table);
    QHash<QString, QAccessibleInterface *> cells;
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface *child = table->child(i);
        QVERIFY(child);
        QCOMPARE(table->indexOfChild(child), i);
        if (child->object())
            continue;   // the answer box
        QCOMPARE(child->parent(), table);
        cells.insert(child->text(QAccessible::Name), child);
    }
    QCOMPARE(cells.size(), 100);
    QCOMPARE(cells.value(QStringLiteral("1 times 1"))->text(QAccessible::Value), QStringLiteral("1"));
    QCOMPARE(cells.value(QStringLiteral("1 times 10"))->text(QAccessible::Value), QStringLiteral("10"));
    QCOMPARE(cells.value(QStringLiteral("10 times 1"))->text(QAccessible::Value), QStringLiteral("10"));
    QCOMPARE(w->Text1->accessibleName(), QStringLiteral("What is 4 times 3? answer"));

    program_->rnd->draw(45, 100);
    answer(w->Text1, QStringLiteral("12"));
    QCOMPARE(cells.value(QStringLiteral("4 times 3"))->text(QAccessible::Value), QStringLiteral("12"));
    QCOMPARE(w->Text1->accessibleName(), QStringLiteral("What is 6 times 5? answer"));
    // A point of the table finds the cell painted there, or the box.
    const QPoint onCell = w->Picture1->mapToGlobal(w->rettangoloCella(24).center());
    QCOMPARE(table->childAt(onCell.x(), onCell.y()), cells.value(QStringLiteral("5 times 3")));
    QCOMPARE(cells.value(QStringLiteral("5 times 3"))->rect().center(), onCell);
    const QPoint onBox = w->Text1->mapToGlobal(w->Text1->rect().center());
    QCOMPARE(table->childAt(onBox.x(), onBox.y())->object(), w->Text1);
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
