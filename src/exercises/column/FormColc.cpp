#include "exercises/column/FormColc.h"

#include "feedback/Feedback.h"
#include "frame/DigitBox.h"
#include "frame/DragLabel.h"
#include "frame/FittingLabel.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>

namespace {

// Columns by place (units to thousands) and rows, in twips.
constexpr int kColonna[4] = {9240, 7800, 6360, 4920};
constexpr int kLato = 840;
constexpr int kCambio = 540;
constexpr int kArrivoSopra = 2460;
constexpr int kArrivoSotto = 3030;
constexpr int kIntestazione = 3600;
constexpr int kPrimoFattore = 4020;
constexpr int kSecondoFattore = 4920;
constexpr int kRiga1 = 5880;
constexpr int kPrima = 6000;
constexpr int kSeconda = 6900;
constexpr int kRiga2 = 7800;
constexpr int kArrivoTotali = 7845;
constexpr int kTotali = 8430;

const QColor kBlu(0, 0, 255);
const QColor kRosso(255, 0, 0);
const QColor kCambioPrima(255, 0, 255);
const QColor kCambioSeconda(255, 192, 192);
const QColor kCambioTotali(0, 255, 0);

// The controls that the steps light up: the first factor's boxes, the
// second factor's, and the answer boxes of the two rows.
enum Evidenziata { hEu1, hEda1, hEh1, hEu2, hEda2, hEur, hEdar, hEhr, hEur1, hEdar1, hEhr1, hEkr1, kEvidenziate };

struct Tinta {
    Evidenziata controllo;
    bool rosso;
};

// One column step. The box expects attesi_[casella]; a right value below 10
// opens the next box with its instruction, one of 10 or more (where the step
// has a carry) splits off the carry of routine cambio with its instruction.
struct Passo {
    int casella;
    const char *prossimo;    // instruction once the next box is open
    int cambio;              // the carry routine, -1 when the column cannot carry
    const char *sposta;      // instruction asking to drag the carry
    std::array<Tinta, 4> tinte;
    int numeroTinte;
};

// Instruction ids, each shown through MLSGetString when its step begins.
constexpr Passo kPassi[] = {
    {FormColc::Eur, "0073", 0, "0072", {{{hEu1, false}, {hEda1, true}}}, 2},
    {FormColc::Edar, "0065", 1, "0064", {{{hEda1, false}, {hEh1, true}}}, 2},
    {FormColc::Ehr, "0068", -1, nullptr, {{{hEu2, false}, {hEda2, true}, {hEh1, false}}}, 3},
    {FormColc::Eur1, "0074", -1, nullptr, {{{hEh1, false}, {hEu1, true}}}, 2},
    {FormColc::Edar1, "0067", 2, "0066", {{{hEu1, false}, {hEda1, true}}}, 2},
    {FormColc::Ehr1, "0070", 3, "0069", {{{hEda1, false}, {hEh1, true}}}, 2},
    {FormColc::Ekr1, "0071", -1, nullptr, {{{hEda2, false}, {hEur1, true}, {hEur, true}, {hEh1, false}}}, 4},
    // The units total never reaches 10: the second row's units are 0.
    {FormColc::TotU, "0084", 4, nullptr, {{{hEur1, false}, {hEur, false}, {hEdar1, true}, {hEdar, true}}}, 4},
    {FormColc::TotDa, "0080", 5, "0079", {{{hEdar1, false}, {hEdar, false}, {hEhr1, true}, {hEhr, true}}}, 4},
    {FormColc::TotH, "0082", 6, "0081", {{{hEhr1, false}, {hEhr, false}, {hEkr1, true}}}, 3},
    {FormColc::TotK, nullptr, -1, nullptr, {{{hEkr1, false}}}, 1},
};

// The carry routines: the box that takes the carry and its instruction.
struct Cambio {
    int riceve;
    const char *testo;
};
constexpr Cambio kCambi[] = {
    {FormColc::Edar, "0078"},  {FormColc::Ehr, "0085"},   {FormColc::Ehr1, "0086"}, {FormColc::Ekr1, "0087"},
    {FormColc::TotDa, "0088"}, {FormColc::TotH, "0089"}, {FormColc::TotK, "0090"},
};

} // namespace

FormColc::FormColc() : ColumnBase(QStringLiteral("FormColc"), QStringLiteral("FormMenuNumeri"))
{
    const QFont casellaFont = layoutFont(QStringLiteral("Arial"), 26);
    const QFont piccolaFont = layoutFont(QStringLiteral("Arial"), 17);
    const QFont headerFont = layoutFont(QStringLiteral("Arial"), 16);

    setTwipsGeometry(Label3, 480, 120, 11280, 1080);
    Label3->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 16));
    addExerciseLine(true, true, QStringLiteral(" = "), 960, 1140);

    auto intestazione = [&](const QString &name, const QString &caption, int posto) {
        auto *label = add(new FittingLabel(caption), name, kColonna[posto], kIntestazione, kLato, 420);
        label->setFont(headerFont);
        label->setAlignment(Qt::AlignCenter);
    };
    intestazione(QStringLiteral("Eh"), QStringLiteral("h"), 2);
    intestazione(QStringLiteral("Label4"), QStringLiteral("da"), 1);
    intestazione(QStringLiteral("Label5"), QStringLiteral("u"), 0);

    auto casella = [&](const QString &name, DragLabel *fonte, int posto, int top) {
        return addDropBox(name, fonte, QRect(kColonna[posto], top, kLato, kLato), casellaFont, kBlu, Qt::white);
    };
    Eh1 = casella(QStringLiteral("Eh1"), Lh1, 2, kPrimoFattore);
    Eda1 = casella(QStringLiteral("Eda1"), Lda1, 1, kPrimoFattore);
    Eu1 = casella(QStringLiteral("Eu1"), Lu1, 0, kPrimoFattore);
    Eda2 = casella(QStringLiteral("Eda2"), Lda2, 1, kSecondoFattore);
    Eu2 = casella(QStringLiteral("Eu2"), Lu2, 0, kSecondoFattore);

    auto linea = [&](const QString &name, int x1, int y1, int x2, int y2) {
        addLine(name, QPoint(x1, y1), QPoint(x2, y2), Qt::black);
    };
    const int destra = kColonna[0] + kLato + 240;
    linea(QStringLiteral("Line1"), kColonna[2] - 240, kRiga1, destra, kRiga1);
    linea(QStringLiteral("Line4"), kColonna[3] - 240, kRiga2, destra, kRiga2);
    const int segno = 600;
    linea(QStringLiteral("Line2"), destra + 120, kSecondoFattore + 120, destra + 120 + segno, kSecondoFattore + 120 + segno);
    linea(QStringLiteral("Line3"), destra + 120 + segno, kSecondoFattore + 120, destra + 120, kSecondoFattore + 120 + segno);

    const QString nomi[kCaselle] = {QStringLiteral("Eur"),  QStringLiteral("Edar"),  QStringLiteral("Ehr"),
                                    QStringLiteral("Eur1"), QStringLiteral("Edar1"), QStringLiteral("Ehr1"),
                                    QStringLiteral("Ekr1"), QStringLiteral("TotU"),  QStringLiteral("TotDa"),
                                    QStringLiteral("TotH"), QStringLiteral("TotK")};
    const int posti[kCaselle] = {0, 1, 2, 0, 1, 2, 3, 0, 1, 2, 3};
    for (int i = 0; i < kCaselle; ++i) {
        const int top = i < Eur1 ? kPrima : i < TotU ? kSeconda : kTotali;
        caselle[static_cast<std::size_t>(i)] =
            addAnswer(nomi[i], -1, QRect(kColonna[posti[i]], top, kLato, kLato), casellaFont, kBlu, Qt::white,
                      [this, i] { inviata(i); });
    }
    auto fattore = [&](const QString &name, int top) {
        auto *label = add(new QLabel, name, destra + 120, top, 2160, kLato);
        label->setFont(casellaFont);
        return label;
    };
    PerU = fattore(QStringLiteral("PerU"), kPrima);
    perDa = fattore(QStringLiteral("perDa"), kSeconda);

    // Row carries stand between the columns of their row and arrive on top
    // of the first factor (the second row's above the first row's); the
    // totals' carries stand at the lower left of their total, in the gap
    // between it and the next total.
    struct Posto {
        const char *partenza;
        const char *arrivo;
        QPoint da;
        QPoint a;
        QColor colore;
    };
    const int tra = kLato + (kColonna[0] - kColonna[1] - kLato - kCambio) / 2;
    const int meta = (kLato - kCambio) / 2;
    const int sottoTotale = kTotali + kLato - kCambio / 2;
    const int primaDelTotale = kCambio + (kColonna[0] - kColonna[1] - kLato - kCambio) / 2;
    const Posto cambi[7] = {
        {"CambioUp", "CambioUa", {kColonna[1] + tra, kPrima + meta}, {kColonna[1] + meta, kArrivoSotto}, kCambioPrima},
        {"CambioDap", "CambioDaa", {kColonna[2] + tra, kPrima + meta}, {kColonna[2] + meta, kArrivoSotto}, kCambioPrima},
        {"CambioUp1", "CambioUa1", {kColonna[2] + tra, kSeconda + meta}, {kColonna[1] + meta, kArrivoSopra},
         kCambioSeconda},
        {"CambioUp2", "CambioUa2", {kColonna[3] + tra, kSeconda + meta}, {kColonna[2] + meta, kArrivoSopra},
         kCambioSeconda},
        {"cp1", "ca1", {kColonna[0] - primaDelTotale, sottoTotale}, {kColonna[1] + meta, kArrivoTotali}, kCambioTotali},
        {"cp2", "ca2", {kColonna[1] - primaDelTotale, sottoTotale}, {kColonna[2] + meta, kArrivoTotali}, kCambioTotali},
        {"cp3", "ca3", {kColonna[2] - primaDelTotale, sottoTotale}, {kColonna[3] + meta, kArrivoTotali}, kCambioTotali},
    };
    for (int r = 0; r < 7; ++r) {
        const Posto &p = cambi[r];
        auto *partenza = add(new DragLabel, QString::fromLatin1(p.partenza), p.da.x(), p.da.y(), kCambio, kCambio);
        auto *arrivo = add(new QLabel, QString::fromLatin1(p.arrivo), p.a.x(), p.a.y(), kCambio, kCambio);
        incornicia(partenza, piccolaFont, p.colore, Qt::black);
        incornicia(arrivo, piccolaFont, p.colore, Qt::black);
        partenze[static_cast<std::size_t>(r)] = partenza;
        arrivi[static_cast<std::size_t>(r)] = arrivo;
        addCarry(partenza, arrivo, [this, r] { cambio(r); });
    }

    QMenu *opzioni = addOwnMenuHeading(QStringLiteral("mnuOpzioni"), QStringLiteral("Opzioni          "));
    mnuMano = addMenuItem(opzioni, QStringLiteral("mnuMano"), QStringLiteral("trascina manualmente il cambio"));
    mnuAuto = addMenuItem(opzioni, QStringLiteral("mnuAuto"), QStringLiteral("esegui automaticamente i cambi"));
    // One of the two carries the mark; choosing one touches nothing else.
    auto *modo = new QActionGroup(this);
    for (QAction *item : {mnuMano, mnuAuto}) {
        item->setCheckable(true);
        modo->addAction(item);
    }
    mnuAuto->setChecked(true);
}

bool FormColc::cambiAutomatici() const
{
    return mnuAuto->isChecked();
}

void FormColc::NuovoEsercizio()
{
    // On magenta the blue boxes need a light outline and the carries beside
    // them a dark one, in a gap too narrow for both.
    setBackground(ColoreCasuale({qRgb(255, 0, 255)}));
    // Every highlight goes back to blue, so no box of an unfinished exercise
    // points at a column of the new one.
    for (QLabel *box : {Eh1, Eda1, Eu1, Eda2, Eu2})
        colora(box, kBlu, Qt::white);
    for (DigitBox *box : caselle) {
        colora(box, kBlu, Qt::white);
        box->setEnabled(false);
        box->clear();
    }
    for (std::size_t r = 0; r < partenze.size(); ++r) {
        partenze[r]->hide();
        arrivi[r]->hide();
    }
    for (QLabel *label : {PerU, perDa, Lris, Eh1, Eda1, Eu1, Eda2, Eu2})
        label->clear();
    passo_ = -1;

    const Moltiplicazione m = estraiTreCifrePerDue();
    const int u = secondoUnita_ = m.secondoFattore;
    const int da = secondoDecine_ = m.secondoDecine;
    attesi_ = {m.unita * u, m.decine * u, m.centinaia * u, 0, m.unita * da, m.decine * da, m.centinaia * da,
               0, 0, 0, 0};
    mostraRiga(m);
    mostra("0075");
}

void FormColc::Controlla1()
{
    if (cifreDaTrascinare_ > 0)
        return;
    Lda2->setDragMode(true);
    Lu2->setDragMode(true);
    mostra("0076");
}

void FormColc::Controlla2()
{
    if (secondoFattoreDaTrascinare_ > 0)
        return;
    PerU->setText(QStringLiteral(" x ") + signSpaced(secondoUnita_));
    passo_ = 0;
    apri(caselle[Eur]);
    colora(Eu2, kRosso, Qt::white);
    colora(Eu1, kRosso, Qt::white);
    mostra("0077");
}

void FormColc::evidenzia(int passo)
{
    QWidget *const controlli[kEvidenziate] = {Eu1,          Eda1,         Eh1,          Eu2,
                                              Eda2,         caselle[Eur], caselle[Edar], caselle[Ehr],
                                              caselle[Eur1], caselle[Edar1], caselle[Ehr1], caselle[Ekr1]};
    const Passo &p = kPassi[passo];
    for (int i = 0; i < p.numeroTinte; ++i) {
        const Tinta &t = p.tinte[static_cast<std::size_t>(i)];
        colora(controlli[t.controllo], t.rosso ? kRosso : kBlu, Qt::white);
    }
}

void FormColc::inviata(int casella)
{
    if (passo_ < 0 || kPassi[passo_].casella != casella)
        return;
    const auto c = static_cast<std::size_t>(casella);
    DigitBox *box = caselle[c];
    if (giudica(box, attesi_[c]) != Esito::Esatto)
        return;
    const int passo = passo_;
    const Passo &p = kPassi[passo];
    box->setEnabled(false);
    if (casella == Ekr1) {
        // The rows are done: each total adds the two values of its column.
        attesi_[TotU] = attesi_[Eur] + attesi_[Eur1];
        attesi_[TotDa] = attesi_[Edar] + attesi_[Edar1];
        attesi_[TotH] = attesi_[Ehr] + attesi_[Ehr1];
        attesi_[TotK] = attesi_[Ekr1];
    }
    if (p.cambio >= 0 && attesi_[c] >= 10) {
        const auto r = static_cast<std::size_t>(p.cambio);
        attesi_[c] = separaCambio(partenze[r], arrivi[r], box, attesi_[c]);
        evidenzia(passo);
        // No box opens until the carry has moved. A carry the window moves
        // is not asked for, so its instruction is neither shown nor read.
        passo_ = -1;
        if (cambiAutomatici())
            cambio(p.cambio);
        else if (p.sposta)
            mostra(p.sposta);
        return;
    }
    evidenzia(passo);
    if (casella == TotK) {
        passo_ = -1;
        Finito();
        return;
    }
    if (casella == Ehr)
        perDa->setText(QStringLiteral(" x ") + signSpaced(10 * secondoDecine_));
    passo_ = passo + 1;
    apri(caselle[static_cast<std::size_t>(kPassi[passo_].casella)]);
    mostra(p.prossimo);
}

void FormColc::cambio(int routine)
{
    const auto r = static_cast<std::size_t>(routine);
    const Cambio &k = kCambi[r];
    for (int s = 0; s < static_cast<int>(std::size(kPassi)); ++s)
        if (kPassi[s].casella == k.riceve)
            passo_ = s;
    attesi_[static_cast<std::size_t>(k.riceve)] += valoreCambio_;
    apri(caselle[static_cast<std::size_t>(k.riceve)]);
    posaCambio(partenze[r], arrivi[r]);
    mostra(k.testo);
}

void FormColc::PrimoCambio() { cambio(0); }
void FormColc::SecondoCambio() { cambio(1); }
void FormColc::TerzoCambio() { cambio(2); }
void FormColc::QuartoCambio() { cambio(3); }
void FormColc::QuintoCambio() { cambio(4); }
void FormColc::SestoCambio() { cambio(5); }
void FormColc::SettimoCambio() { cambio(6); }

void FormColc::Finito()
{
    colora(Eh1, kBlu, Qt::white);
    concludi(conMigliaia(1000 * attesi_[TotK] + 100 * attesi_[TotH] + 10 * attesi_[TotDa] + attesi_[TotU]));
}

// The rows multiply a digit of the first factor by the units, then by the
// tens digit of the second; the totals add the rows' boxes of their column.
// What a box expects beyond that is the carry it took.
QString FormColc::domanda() const
{
    if (passo_ < 0)
        return {};
    const int casella = kPassi[passo_].casella;
    const int atteso = attesi_[static_cast<std::size_t>(casella)];
    if (casella >= TotU) {
        const int colonna = casella - TotU;
        QList<int> addendi;
        if (colonna < 3)
            addendi << attesi_[static_cast<std::size_t>(Eur + colonna)];
        addendi << attesi_[static_cast<std::size_t>(Eur1 + colonna)];
        int somma = 0;
        for (int a : addendi)
            somma += a;
        return domandaSomma(addendi, atteso - somma);
    }
    // The second row's units are 0 whatever the digits: the instruction says so.
    if (casella == Eur1)
        return {};
    const int cifre[3] = {esercizio_.unita, esercizio_.decine, esercizio_.centinaia};
    const bool primaRiga = casella < Eur1;
    const int cifra = cifre[primaRiga ? casella - Eur : casella - Edar1];
    const int fattore = primaRiga ? secondoUnita_ : secondoDecine_;
    return domandaProdotto(cifra, fattore, atteso - cifra * fattore);
}
