#include "exercises/tables/Form2.h"

#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "platform/ProgramState.h"

#include <QFrame>
#include <QPushButton>

namespace {

// Layout in twips.
constexpr int kPictureLeft = 2640;
constexpr int kPictureTop = 1860;
constexpr int kPictureWidth = 7000;
constexpr int kPictureHeight = 7080;
constexpr int kCellWidth = 700;
constexpr int kCellHeight = 702;

void colora(DigitBox *cella, const QColor &colour)
{
    QPalette p = cella->palette();
    p.setColor(QPalette::Base, colour);
    cella->setPalette(p);
}

} // namespace

const QColor Form2::kAttesa(255, 255, 0);
const QColor Form2::kRiempita(255, 255, 255);
const QColor Form2::kIntestazione(255, 196, 120);

Form2::Form2() : ExerciseForm(QStringLiteral("Form2"), QStringLiteral("FormMenuNumeri"))
{
    setBackground(QColor(206, 236, 255));

    Picture1 = add(new QFrame, QStringLiteral("Picture1"), kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight);
    Picture1->setAutoFillBackground(true);
    Picture1->setPalette(QPalette(Qt::white));

    DigitBox *modello = addAnswerBox(QStringLiteral("Text1"), 0, QRect(0, 0, kCellWidth, kCellHeight), 2,
                                     layoutFont(QStringLiteral("Arial"), 15.75), Picture1);
    QPalette p = modello->palette();
    p.setColor(QPalette::Base, kIntestazione);
    modello->setPalette(p);
    modello->setEnabled(false);
    Text1[0] = modello;
}

void Form2::afterActivate()
{
    const DigitBox *modello = Text1[0];
    for (int k = 1; k < kCelle; ++k) {
        auto *cella = new DigitBox(Picture1);
        cella->setObjectName(modello->objectName());
        cella->setProperty("index", k);
        cella->setFont(modello->font());
        cella->setPalette(modello->palette());
        cella->setMaxLength(modello->maxLength());
        cella->resize(modello->size());
        cella->setEnabled(false);
        cella->show();
        watchAnswerBox(cella);
        Text1[k] = cella;
    }
    Text1[99]->setMaxLength(3);
    // The template has been scaled to the screen by now; the copies are made
    // after the layout was recorded, so the resizer never moves them. The
    // pitch follows the template across and down separately, so the ten
    // columns fit the picture whatever the screen's proportions.
    const int larghezza = modello->width();
    const int altezza = modello->height();
    for (int k = 0; k < kCelle; ++k)
        Text1[k]->move(larghezza * (k / 10), altezza * (k % 10));
    // Twips rounded to pixels can leave the tenth column a few pixels past
    // the picture's edge; the picture is fitted to the table.
    Picture1->resize(10 * larghezza, 10 * altezza);
    // A screen reader calls each cell by its two factors: the first row
    // and column hold the table of 1.
    const QString product = accessibleWord(QStringLiteral("Product"));
    for (int k = 0; k < kCelle; ++k)
        Text1[k]->setAccessibleName(fillWord(product, QString::number(k % 10 + 1), QString::number(k / 10 + 1)));
    NuovoEsercizio();
}

void Form2::NuovoEsercizio()
{
    for (int k = 1; k < kCelle; ++k)
        Text1[k]->clear();
    scriviIntestazioni();
    celleProposte_ = 0;
    NuovaCella();
}

void Form2::scriviIntestazioni()
{
    for (int i = 0; i < 10; ++i) {
        Text1[i]->setText(QString::number(i + 1));
        Text1[10 * i]->setText(QString::number(i + 1));
    }
}

int Form2::primaVuota() const
{
    // Headers and filled cells are never empty, and a cell to fill is left,
    // so the search stops inside the table.
    int cella = 11;
    while (!Text1[cella]->text().isEmpty())
        ++cella;
    return cella;
}

void Form2::NuovaCella()
{
    if (celleProposte_ >= kCasuali) {
        cellaCorrente_ = primaVuota();
    } else {
        int estrazioni = 0;
        do
            cellaCorrente_ = randomBelow(kCelle);
        while (!Text1[cellaCorrente_]->text().isEmpty() && ++estrazioni < kMaxEstrazioni);
        // A fair generator finds one of the 22 or more empty cells long
        // before this; a stuck one must not freeze the window.
        if (!Text1[cellaCorrente_]->text().isEmpty())
            cellaCorrente_ = primaVuota();
    }
    DigitBox *cella = Text1[cellaCorrente_];
    colora(cella, kAttesa);
    cella->setEnabled(true);
    cella->setFocus();
    ++celleProposte_;
}

void Form2::answerEntered(DigitBox *box, double value)
{
    const int k = box->property("index").toInt();
    if (value != prodottoAtteso(k)) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    SegnaEsatto();
    box->setEnabled(false);
    colora(box, kRiempita);
    if (celleProposte_ >= kDaRiempire)
        BottoneAvanti->setEnabled(true);
    else
        NuovaCella();
}
