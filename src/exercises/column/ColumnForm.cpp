#include "exercises/column/ColumnForm.h"

#include "feedback/Feedback.h"
#include "frame/DigitBox.h"
#include "frame/DragLabel.h"
#include "frame/FittingLabel.h"
#include "frame/Shapes.h"

#include <QLabel>

namespace {

// Layout of the column, in twips. Places are indexed units, tens, hundreds.
constexpr int kColonnaLeft[3] = {9480, 7680, 5880};
constexpr int kColonnaWidth = 1080;
constexpr int kHeaderTop = 3240;
constexpr int kArrivoTop = 3870;
constexpr int kPrimoTop = 4560;
constexpr int kSecondoTop = 5880;
constexpr int kRigaTop = 7200;
constexpr int kRisultatoTop = 7440;
constexpr int kCasellaHeight = 1080;
constexpr int kCambioSide = 660;
constexpr int kCambioGap = 30;   // between a departure and the column that gave it

const QColor kColorePosto[3] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 255, 0)};
const QColor kTestoPosto[3] = {Qt::white, Qt::black, Qt::black};
const QColor kColoreCambio(255, 0, 255);

int centro(int posto)
{
    return kColonnaLeft[posto] + kColonnaWidth / 2;
}

} // namespace

ColumnForm::ColumnForm(const QString &name, const ColumnSetup &setup)
    : ColumnBase(name, QStringLiteral("FormMenuNumeri")), setup_(setup)
{
    const QFont casellaFont = layoutFont(QStringLiteral("Arial"), 32);
    const QFont cambioFont = layoutFont(QStringLiteral("Arial"), 20);
    const QFont headerFont = layoutFont(QStringLiteral("Arial"), 22);
    const int colonne = setup.colonneRisultato;

    addExerciseLine(setup.centinaia, false, QStringLiteral(" ="), 960, 1800);

    auto intestazione = [&](const QString &name, const QString &caption, int posto) {
        auto *label = add(new FittingLabel(caption), name, kColonnaLeft[posto], kHeaderTop, kColonnaWidth, 600);
        label->setFont(headerFont);
        label->setAlignment(Qt::AlignCenter);
    };
    if (colonne == 3)
        intestazione(QStringLiteral("Eh"), QStringLiteral("h"), H);
    intestazione(QStringLiteral("Label4"), QStringLiteral("da"), Da);
    intestazione(QStringLiteral("Label5"), QStringLiteral("u"), U);

    auto casella = [&](const QString &name, DragLabel *fonte, int posto, int top) {
        return addDropBox(name, fonte, QRect(kColonnaLeft[posto], top, kColonnaWidth, kCasellaHeight), casellaFont,
                          kColorePosto[posto], kTestoPosto[posto]);
    };
    if (setup.centinaia)
        Eh1 = casella(QStringLiteral("Eh1"), Lh1, H, kPrimoTop);
    Eda1 = casella(QStringLiteral("Eda1"), Lda1, Da, kPrimoTop);
    Eu1 = casella(QStringLiteral("Eu1"), Lu1, U, kPrimoTop);
    Eu2 = casella(QStringLiteral("Eu2"), Lu2, U, kSecondoTop);

    auto linea = [&](const QString &name, int x1, int y1, int x2, int y2, const QColor &colour) {
        return addLine(name, QPoint(x1, y1), QPoint(x2, y2), colour);
    };
    const int destra = kColonnaLeft[U] + kColonnaWidth + 240;
    linea(QStringLiteral("Line1"), kColonnaLeft[colonne - 1] - 240, kRigaTop, destra, kRigaTop, Qt::black);
    const int segnoLeft = destra + 240;
    const int segnoTop = kSecondoTop + 120;
    const int segno = 840;
    linea(QStringLiteral("Line2"), segnoLeft, segnoTop, segnoLeft + segno, segnoTop + segno, Qt::black);
    linea(QStringLiteral("Line3"), segnoLeft + segno, segnoTop, segnoLeft, segnoTop + segno, Qt::black);
    if (setup.collegamenti) {
        // From the second factor up to the digit it multiplies now.
        const int sotto = kPrimoTop + kCasellaHeight;
        Line6 = linea(QStringLiteral("Line6"), centro(U), kSecondoTop, centro(U), sotto, Qt::white);
        Line7 = linea(QStringLiteral("Line7"), kColonnaLeft[U] + 120, kSecondoTop, centro(Da), sotto, Qt::white);
        Line6->hide();
        Line7->hide();
    }

    auto risultato = [&](const QString &name, int posto) {
        DigitBox *box = addAnswer(name, -1, QRect(kColonnaLeft[posto], kRisultatoTop, kColonnaWidth, kCasellaHeight),
                                  casellaFont, kColorePosto[posto], kTestoPosto[posto],
                                  [this, posto] { colonnaInviata(posto); });
        risultato_[static_cast<std::size_t>(posto)] = box;
        return box;
    };
    if (colonne == 3)
        Ehr = risultato(QStringLiteral("Ehr"), H);
    Edar = risultato(QStringLiteral("Edar"), Da);
    Eur = risultato(QStringLiteral("Eur"), U);

    if (setup.cambi) {
        auto cambio = [&](auto *label, const QString &name, int left, int top) {
            incornicia(label, cambioFont, kColoreCambio, Qt::black);
            return add(label, name, left, top, kCambioSide, kCambioSide);
        };
        // Departures stand in the result row just left of the column that
        // gave the carry; arrivals on top of the column that takes it.
        const int partenzaTop = kRisultatoTop + (kCasellaHeight - kCambioSide) / 2;
        CambioUp = cambio(new DragLabel, QStringLiteral("CambioUp"), kColonnaLeft[U] - kCambioSide - kCambioGap, partenzaTop);
        CambioUa = cambio(new QLabel, QStringLiteral("CambioUa"), centro(Da) - kCambioSide / 2, kArrivoTop);
        CambioDap = cambio(new DragLabel, QStringLiteral("CambioDap"), kColonnaLeft[Da] - kCambioSide - kCambioGap, partenzaTop);
        CambioDaa = cambio(new QLabel, QStringLiteral("CambioDaa"), centro(H) - kCambioSide / 2, kArrivoTop);
        partenza_ = {CambioUp, CambioDap};
        arrivo_ = {CambioUa, CambioDaa};
        addCarry(CambioUp, CambioUa, [this] { spostaCambio(U); });
        addCarry(CambioDap, CambioDaa, [this] { spostaCambio(Da); });
    }
}

void ColumnForm::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    for (DigitBox *box : risultato_)
        if (box) {
            box->setEnabled(false);
            box->clear();
        }
    for (QLabel *cambio : std::initializer_list<QLabel *>{partenza_[0], partenza_[1], arrivo_[0], arrivo_[1]})
        if (cambio)
            cambio->hide();
    for (QLabel *casella : {Lris, Eu1, Eu2, Eda1, Eh1})
        if (casella)
            casella->clear();
    if (Line6) {
        Line6->hide();
        Line7->hide();
    }
    colonna_ = -1;

    const Moltiplicazione m = setup_.estrai();
    const int sf = m.secondoFattore;
    prodotto_ = {m.unita * sf, m.decine * sf, m.centinaia * sf};
    mostraRiga(m);
    mostra(setup_.istruzioni.primoFattore);
}

void ColumnForm::Controlla1()
{
    if (cifreDaTrascinare_ > 0)
        return;
    Lu2->setDragMode(true);
    mostra(setup_.istruzioni.secondoFattore);
}

void ColumnForm::Controlla2()
{
    if (secondoFattoreDaTrascinare_ > 0)
        return;
    if (Line6)
        Line6->show();
    apriColonna(U);
    mostra(setup_.istruzioni.unita);
}

void ColumnForm::apriColonna(int colonna)
{
    colonna_ = colonna;
    apri(risultato_[static_cast<std::size_t>(colonna)]);
}

void ColumnForm::colonnaInviata(int colonna)
{
    const auto c = static_cast<std::size_t>(colonna);
    DigitBox *box = risultato_[c];
    if (colonna != colonna_ || giudica(box, prodotto_[c]) != Esito::Esatto)
        return;
    const int ultima = setup_.colonneRisultato - 1;
    if (setup_.cambi && prodotto_[c] >= 10 && colonna < ultima) {
        colonna_ = -1;
        prodotto_[c] = separaCambio(partenza_[c], arrivo_[c], box, prodotto_[c]);
        mostra(colonna == U ? setup_.istruzioni.spostaCambioU : setup_.istruzioni.spostaCambioDa);
        return;
    }
    if (colonna == ultima) {
        completa();
        return;
    }
    box->setEnabled(false);
    if (Line6 && colonna == U) {
        Line6->hide();
        Line7->show();
    }
    const char *prossima = colonna == U ? setup_.istruzioni.decine : setup_.istruzioni.centinaia;
    apriColonna(colonna + 1);
    if (prossima)
        mostra(prossima);
    else
        colonnaInviata(colonna + 1);
}

// The carry of the column stands on top of the next one and is added to it.
void ColumnForm::spostaCambio(int colonna)
{
    const auto c = static_cast<std::size_t>(colonna);
    prodotto_[c + 1] += valoreCambio_;
    apriColonna(colonna + 1);
    posaCambio(partenza_[c], arrivo_[c]);
    mostra(colonna == U ? setup_.istruzioni.cambioUSpostato : setup_.istruzioni.cambioDaSpostato);
}

void ColumnForm::completa()
{
    risultato_[static_cast<std::size_t>(colonna_)]->setEnabled(false);
    colonna_ = -1;
    if (Line7)
        Line7->hide();
    concludi(signSpaced(100 * prodotto_[H] + 10 * prodotto_[Da] + prodotto_[U]));
}

// A place the first factor does not show asks nothing: its box takes only a
// carry, or 0 by Enter alone, as the instruction says.
QString ColumnForm::domanda() const
{
    if (colonna_ < 0 || colonna_ >= cifrePrimo_)
        return {};
    const int cifre[3] = {esercizio_.unita, esercizio_.decine, esercizio_.centinaia};
    const int cifra = cifre[colonna_];
    const int fattore = esercizio_.secondoFattore;
    return domandaProdotto(cifra, fattore, prodotto_[static_cast<std::size_t>(colonna_)] - cifra * fattore);
}
