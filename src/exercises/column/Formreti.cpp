#include "exercises/column/Formreti.h"

#include "feedback/Feedback.h"
#include "frame/DigitBox.h"
#include "frame/DragLabel.h"
#include "frame/FittingLabel.h"
#include "frame/Shapes.h"
#include "lang/Language.h"

#include <QLabel>

namespace {

// The grid, in twips: three columns and two rows of square cells.
constexpr int kLato = 1800;
constexpr int kSinistra = 4680;
constexpr int kAlto = 4440;
constexpr int kCasella = 720;
constexpr int kCifra = 690;
constexpr int kCambioWidth = 480;
constexpr int kCambioHeight = 540;
constexpr int kRisultatiTop = kAlto + 2 * kLato + 180;

const QColor kBlu(0, 0, 255);
const QColor kRosso(255, 0, 0);
const QColor kVerde(0, 255, 0);

// A diagonal strip: the cell boxes whose digits it adds, the carry label it
// fills when the sum reaches 10 and the text announcing that carry, and the
// instruction shown when the next strip opens.
struct Striscia {
    std::array<int, 4> celle;
    int numeroCelle;
    int cambio;               // Cambio1 to Cambio3 as 0 to 2; -1: no carry shown
    const char *messaggio;    // announces the carry
    const char *prossima;     // instruction of the next strip
};

// Instruction ids, each read through MLSGetString when its step begins.
constexpr Striscia kStrisce[] = {
    {{11}, 1, -1, nullptr, "0051"},
    {{5, 10, 9}, 3, 0, "0048", "0052"},
    {{4, 3, 8, 7}, 4, 1, "0049", "0053"},
    {{2, 1, 6}, 3, 2, "0050", "0054"},
    {{0}, 1, -1, nullptr, nullptr},
};

} // namespace

Formreti::Formreti() : ColumnBase(QStringLiteral("Formreti"), QStringLiteral("FormMenu"))
{
    const QFont casellaFont = layoutFont(QStringLiteral("Arial"), 26);
    const QFont cifraFont = layoutFont(QStringLiteral("Arial"), 24);
    const QFont piccolaFont = layoutFont(QStringLiteral("Arial"), 17);

    setTwipsGeometry(Label3, 480, 120, 11280, 1440);
    Label3->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 16));
    addExerciseLine(true, true, QStringLiteral(" = "), 960, 1620);

    const int margine = (kLato - kCasella) / 2;
    auto sopra = [&](const QString &name, DragLabel *fonte, int colonna) {
        return addDropBox(name, fonte, QRect(kSinistra + colonna * kLato + margine, kAlto - kCasella - 300, kCasella,
                                             kCasella),
                          casellaFont, kBlu, Qt::white);
    };
    Eh1 = sopra(QStringLiteral("Eh1"), Lh1, 0);
    Eda1 = sopra(QStringLiteral("Eda1"), Lda1, 1);
    Eu1 = sopra(QStringLiteral("Eu1"), Lu1, 2);
    auto aSinistra = [&](const QString &name, DragLabel *fonte, int riga) {
        return addDropBox(name, fonte, QRect(kSinistra - kCasella - 240, kAlto + riga * kLato + margine, kCasella,
                                             kCasella),
                          casellaFont, kBlu, Qt::white);
    };
    Eda2 = aSinistra(QStringLiteral("Eda2"), Lda2, 0);
    Eu2 = aSinistra(QStringLiteral("Eu2"), Lu2, 1);

    // The markers lie under the rules and the digits.
    for (int k = 0; k < 6; ++k) {
        auto *marker = new Shape(area(), QColor(255, 250, 220), QColor(120, 120, 120), 1);
        Shape1[static_cast<std::size_t>(k)] =
            add(marker, QStringLiteral("Shape1"), kSinistra + (k % 3) * kLato + 90, kAlto + (k / 3) * kLato + 90,
                kLato - 180, kLato - 180, k);
        marker->hide();
    }

    auto linea = [&](const QString &name, int x1, int y1, int x2, int y2) {
        addLine(name, QPoint(x1, y1), QPoint(x2, y2), Qt::black);
    };
    const int destra = kSinistra + 3 * kLato;
    const int basso = kAlto + 2 * kLato;
    linea(QStringLiteral("Line1"), kSinistra, kAlto, destra, kAlto);
    linea(QStringLiteral("Line4"), kSinistra, kAlto + kLato, destra, kAlto + kLato);
    linea(QStringLiteral("Line5"), kSinistra, basso, destra, basso);
    for (int c = 0; c <= 3; ++c)
        linea(QStringLiteral("Line%1").arg(6 + c), kSinistra + c * kLato, kAlto, kSinistra + c * kLato, basso);
    // Each diagonal joins cell corners, lower left to upper right.
    const QPoint diagonali[4][2] = {{{0, 1}, {1, 0}}, {{0, 2}, {2, 0}}, {{1, 2}, {3, 0}}, {{2, 2}, {3, 1}}};
    for (int d = 0; d < 4; ++d)
        linea(QStringLiteral("Line%1").arg(10 + d), kSinistra + diagonali[d][0].x() * kLato,
              kAlto + diagonali[d][0].y() * kLato, kSinistra + diagonali[d][1].x() * kLato,
              kAlto + diagonali[d][1].y() * kLato);
    const int croce = 480;
    const int croceLeft = kSinistra - kCasella - 240;
    const int croceTop = kAlto - kCasella - 300 + (kCasella - croce) / 2;
    linea(QStringLiteral("Line2"), croceLeft, croceTop, croceLeft + croce, croceTop + croce);
    linea(QStringLiteral("Line3"), croceLeft + croce, croceTop, croceLeft, croceTop + croce);

    // Tens above the cell's diagonal, units below it.
    for (int i = 0; i < 12; ++i) {
        const int k = i / 2;
        const int x = kSinistra + (k % 3) * kLato + (i % 2 == 0 ? 120 : kLato - 120 - kCifra);
        const int y = kAlto + (k / 3) * kLato + (i % 2 == 0 ? 120 : kLato - 120 - kCifra);
        DigitBox *box = addAnswer(QStringLiteral("Text1"), i, QRect(x, y, kCifra, kCifra), cifraFont, kRosso,
                                  Qt::white, [this, i] { cellaInviata(i); });
        box->setFrame(false);
        box->hide();
        Text1[static_cast<std::size_t>(i)] = box;
    }

    for (int c = 0; c < 3; ++c) {
        // Where the strip taking the carry meets the top edge: just above
        // the right, middle and left column, clear of the edge and right of
        // the column's drop box.
        const int destraColonna = kSinistra + (3 - c) * kLato;
        auto *label = add(new QLabel, QStringLiteral("Cambio%1").arg(c + 1), destraColonna - kCambioWidth - 30,
                          kAlto - kCambioHeight - 45, kCambioWidth, kCambioHeight);
        incornicia(label, piccolaFont, QColor(255, 0, 255), Qt::black);
        label->hide();
        Cambio[static_cast<std::size_t>(c)] = label;
    }

    const char *nomi[5] = {"ru", "rda", "rh", "ruk", "rdak"};
    const int sinistre[5] = {kSinistra + 2 * kLato + margine, kSinistra + kLato + margine, kSinistra + margine,
                             kSinistra - kCasella - 360, kSinistra - 2 * kCasella - 480};
    for (int s = 0; s < 5; ++s)
        risultati[static_cast<std::size_t>(s)] =
            addAnswer(QString::fromLatin1(nomi[s]), -1, QRect(sinistre[s], kRisultatiTop, kCasella, kCasella),
                      casellaFont, Qt::white, Qt::black, [this, s] { strisciaInviata(s); });
    Label4 = add(new FittingLabel, QStringLiteral("Label4"), kSinistra - 360, kRisultatiTop, 360, kCasella);
    Label4->setFont(casellaFont);
    Label4->setAlignment(Qt::AlignCenter);
}

void Formreti::afterLoad()
{
    ColumnBase::afterLoad();
    // The same separator as the product written out when the grid is done.
    Label4->setText(separatoreMigliaia());
}

void Formreti::afterActivate()
{
    NuovoEsercizio();
}

void Formreti::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    for (QLabel *label : Cambio) {
        label->clear();
        label->hide();
    }
    cellaCorrente_ = 0;
    striscia_ = -1;
    for (Shape *marker : Shape1)
        marker->hide();
    for (DigitBox *box : Text1) {
        box->clear();
        box->setEnabled(false);
        colora(box, kRosso, Qt::white);
        box->hide();
    }
    for (DigitBox *box : risultati) {
        box->clear();
        box->setEnabled(false);
    }
    for (QLabel *label : {Lris, Eh1, Eda1, Eu1, Eda2, Eu2})
        label->clear();

    const Moltiplicazione m = estraiReticolo();
    const int colonne[3] = {m.centinaia, m.decine, m.unita};
    const int righe[2] = {m.secondoDecine, m.secondoFattore};
    for (int k = 0; k < 6; ++k) {
        const int p = righe[k / 3] * colonne[k % 3];
        celle_[static_cast<std::size_t>(2 * k)] = p / 10;
        celle_[static_cast<std::size_t>(2 * k + 1)] = p % 10;
    }
    mostraRiga(m);
    mostra("0044");
}

void Formreti::Controlla1()
{
    if (cifreDaTrascinare_ > 0)
        return;
    Lda2->setDragMode(true);
    Lu2->setDragMode(true);
    mostra("0045");
}

void Formreti::Controlla2()
{
    if (secondoFattoreDaTrascinare_ > 0)
        return;
    Text1[0]->show();
    Text1[1]->show();
    Shape1[0]->show();
    apri(Text1[0]);
    mostra("0046");
}

// Only the box of the current cell answers, and a right box is closed: a
// cell is answered once and the strips are started once.
void Formreti::cellaInviata(int i)
{
    if (i != cellaCorrente_ || striscia_ >= 0)
        return;
    DigitBox *box = Text1[static_cast<std::size_t>(i)];
    if (giudica(box, celle_[static_cast<std::size_t>(i)]) != Esito::Esatto)
        return;
    box->setEnabled(false);
    VaiAvanti();
}

void Formreti::VaiAvanti()
{
    if (cellaCorrente_ >= 11) {
        Risultati();
        return;
    }
    const int prossima = cellaCorrente_ + 1;
    const bool nuovaCella = cellaCorrente_ % 2 == 1;
    if (nuovaCella) {
        // A cell is complete: the next one appears with its marker.
        Text1[static_cast<std::size_t>(prossima)]->show();
        Text1[static_cast<std::size_t>(prossima + 1)]->show();
        Shape1[static_cast<std::size_t>(prossima / 2)]->show();
    }
    cellaCorrente_ = prossima;
    apri(Text1[static_cast<std::size_t>(prossima)]);
    if (nuovaCella)
        announceExercise();
}

void Formreti::Risultati()
{
    striscia_ = 0;
    valoreCambio_ = 0;
    apri(risultati[0]);
    mostra("0047");
    tingi(11, kVerde);
}

void Formreti::tingi(int cella, const QColor &colour)
{
    colora(Text1[static_cast<std::size_t>(cella)], colour, colour == kVerde ? Qt::black : Qt::white);
}

// Enter on an empty result box answers 0: the strip's sum is typed whole,
// even when it reaches 10.
void Formreti::strisciaInviata(int striscia)
{
    DigitBox *box = risultati[static_cast<std::size_t>(striscia)];
    if (striscia != striscia_ || !box->isEnabled())
        return;
    if (box->text().isEmpty())
        box->setText(QStringLiteral("0"));
    const Striscia &s = kStrisce[striscia];
    int somma = striscia > 1 ? valoreCambio_ : 0;
    for (int c = 0; c < s.numeroCelle; ++c)
        somma += celle_[static_cast<std::size_t>(s.celle[static_cast<std::size_t>(c)])];
    if (leadingNumber(box->text()) != somma) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    if (s.cambio >= 0) {
        valoreCambio_ = somma / 10;
        messaggioCambio_.clear();
        if (valoreCambio_ > 0) {
            box->setEnabled(false);
            QLabel *label = Cambio[static_cast<std::size_t>(s.cambio)];
            label->setText(signSpaced(valoreCambio_));
            label->show();
            box->setText(signSpaced(somma - 10 * valoreCambio_));
            messaggioCambio_ = MLSGetString(QString::fromLatin1(s.messaggio));
        }
    }
    if (striscia == 4) {
        striscia_ = -1;
        Finito();
        box->setEnabled(false);
        return;
    }
    alla(striscia + 1);
}

void Formreti::alla(int striscia)
{
    const Striscia &prima = kStrisce[striscia - 1];
    const Striscia &dopo = kStrisce[striscia];
    risultati[static_cast<std::size_t>(striscia - 1)]->setEnabled(false);
    striscia_ = striscia;
    apri(risultati[static_cast<std::size_t>(striscia)]);
    for (int c = 0; c < prima.numeroCelle; ++c)
        tingi(prima.celle[static_cast<std::size_t>(c)], kRosso);
    for (int c = 0; c < dopo.numeroCelle; ++c)
        tingi(dopo.celle[static_cast<std::size_t>(c)], kVerde);
    const QString testo = MLSGetString(QString::fromLatin1(prima.prossima));
    mostraTesto(striscia == 1 ? testo : messaggioCambio_ + QLatin1Char('\n') + testo);
}

void Formreti::alleDecine() { alla(1); }
void Formreti::alleCentinaia() { alla(2); }
void Formreti::alleMigliaia() { alla(3); }
void Formreti::alleDecineMigliaia() { alla(4); }

void Formreti::Finito()
{
    int prodotto = 0;
    for (int s = 4; s >= 0; --s)
        prodotto = 10 * prodotto + static_cast<int>(leadingNumber(risultati[static_cast<std::size_t>(s)]->text().trimmed()));
    concludi(conMigliaia(prodotto));
}

QString Formreti::spokenExercise() const
{
    if (striscia_ < 0 && cellaCorrente_ >= 2 && Text1[static_cast<std::size_t>(cellaCorrente_)]->isEnabled())
        return domanda();
    return ColumnBase::spokenExercise();
}

// A cell multiplies the digit above it by the digit on its left; a strip
// adds its green digits and the carry of the strip before.
QString Formreti::domanda() const
{
    const Moltiplicazione &m = esercizio_;
    if (striscia_ >= 0) {
        const Striscia &s = kStrisce[striscia_];
        QList<int> addendi;
        for (int c = 0; c < s.numeroCelle; ++c)
            addendi << celle_[static_cast<std::size_t>(s.celle[static_cast<std::size_t>(c)])];
        return domandaSomma(addendi, striscia_ > 1 ? valoreCambio_ : 0);
    }
    if (!Text1[static_cast<std::size_t>(cellaCorrente_)]->isEnabled())
        return {};
    const int cella = cellaCorrente_ / 2;
    const int colonne[3] = {m.centinaia, m.decine, m.unita};
    const int righe[2] = {m.secondoDecine, m.secondoFattore};
    return domandaProdotto(colonne[cella % 3], righe[cella / 3], 0);
}
