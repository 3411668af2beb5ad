#include "exercises/column/ColumnForm.h"

#include "feedback/Feedback.h"
#include "frame/DigitBox.h"
#include "frame/DragLabel.h"
#include "frame/DropTargets.h"
#include "frame/Shapes.h"
#include "frame/Twips.h"
#include "lang/Language.h"
#include "lang/Localise.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>
#include <type_traits>

namespace {

// Layout of the column, in twips. Places are indexed units, tens, hundreds.
constexpr int kColonnaLeft[3] = {9360, 7680, 6000};
constexpr int kColonnaWidth = 1080;
constexpr int kHeaderTop = 3240;
constexpr int kArrivoTop = 3840;
constexpr int kPrimoTop = 4560;
constexpr int kSecondoTop = 5880;
constexpr int kRigaTop = 7200;
constexpr int kRisultatoTop = 7440;
constexpr int kCasellaHeight = 1080;
constexpr int kCambioSide = 600;
constexpr int kLineaTop = 1800;
constexpr int kLineaLeft = 960;
constexpr int kLineaHeight = 1320;

const QColor kColorePosto[3] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(255, 255, 0)};
const QColor kTestoPosto[3] = {Qt::white, Qt::black, Qt::black};
const QColor kColoreCambio(255, 0, 255);

void colora(QWidget *control, const QColor &fondo, const QColor &testo)
{
    QPalette p = control->palette();
    p.setColor(QPalette::Window, fondo);
    p.setColor(QPalette::Base, fondo);
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Text, testo);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

// A box with a single border and centred text.
template <class T>
T *riquadro(T *control, const QFont &font, const QColor &fondo, const QColor &testo)
{
    control->setFont(font);
    control->setAlignment(Qt::AlignCenter);
    if constexpr (std::is_base_of_v<QFrame, T>)
        control->setFrameShape(QFrame::Box);
    colora(control, fondo, testo);
    return control;
}

QString didascalia(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    return label ? label->text() : QString();
}

int centro(int posto)
{
    return kColonnaLeft[posto] + kColonnaWidth / 2;
}

} // namespace

ColumnForm::ColumnForm(const QString &name, const ColumnSetup &setup)
    : ExerciseForm(name, QStringLiteral("FormMenuNumeri")), setup_(setup), drops_(new DropTargets(this))
{
    const QFont istruzioneFont = layoutFont(QStringLiteral("Comic Sans MS"), 18);
    const QFont rigaFont = layoutFont(QStringLiteral("Arial"), 44);
    const QFont casellaFont = layoutFont(QStringLiteral("Arial"), 32);
    const QFont cambioFont = layoutFont(QStringLiteral("Arial"), 16);
    const QFont headerFont = layoutFont(QStringLiteral("Arial"), 22);
    const int colonne = setup.colonneRisultato;
    const bool treCifre = setup.centinaia;

    Label3 = add(new QLabel, QStringLiteral("Label3"), 480, 240, 11280, 1440);
    Label3->setFont(istruzioneFont);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The exercise line: one label per digit or sign, lined up by
    // allineaRiga() once the digits are known.
    auto riga = [&](auto *label, const QString &name, const QString &caption) {
        label->setText(caption);
        label->setFont(rigaFont);
        label->setAlignment(Qt::AlignCenter);
        return add(label, name, kLineaLeft, kLineaTop, 600, kLineaHeight);
    };
    if (treCifre)
        Lh1 = riga(new DragLabel, QStringLiteral("Lh1"), QString());
    Lda1 = riga(new DragLabel, QStringLiteral("Lda1"), QString());
    Lu1 = riga(new DragLabel, QStringLiteral("Lu1"), QString());
    Label6 = riga(new QLabel, QStringLiteral("Label6"), QStringLiteral(" x"));
    Lu2 = riga(new DragLabel, QStringLiteral("Lu2"), QString());
    Label7 = riga(new QLabel, QStringLiteral("Label7"), QStringLiteral(" ="));
    Lris = riga(new QLabel, QStringLiteral("Lris"), QString());

    auto intestazione = [&](const QString &name, const QString &caption, int posto) {
        auto *label = add(new QLabel(caption), name, kColonnaLeft[posto], kHeaderTop, kColonnaWidth, 600);
        label->setFont(headerFont);
        label->setAlignment(Qt::AlignCenter);
    };
    if (colonne == 3)
        intestazione(QStringLiteral("Eh"), QStringLiteral("h"), H);
    intestazione(QStringLiteral("Label4"), QStringLiteral("da"), Da);
    intestazione(QStringLiteral("Label5"), QStringLiteral("u"), U);

    auto casella = [&](const QString &name, int posto, int top) {
        return add(riquadro(new QLabel, casellaFont, kColorePosto[posto], kTestoPosto[posto]), name,
                   kColonnaLeft[posto], top, kColonnaWidth, kCasellaHeight);
    };
    if (treCifre)
        Eh1 = casella(QStringLiteral("Eh1"), H, kPrimoTop);
    Eda1 = casella(QStringLiteral("Eda1"), Da, kPrimoTop);
    Eu1 = casella(QStringLiteral("Eu1"), U, kPrimoTop);
    Eu2 = casella(QStringLiteral("Eu2"), U, kSecondoTop);

    const QColor bianco(Qt::white);
    const int sinistra = kColonnaLeft[colonne - 1] - 240;
    const int destra = kColonnaLeft[U] + kColonnaWidth + 240;
    addControl(new Line(area(), QPoint(tw(sinistra), tw(kRigaTop)), QPoint(tw(destra), tw(kRigaTop)), Qt::black, 3),
               QStringLiteral("Line1"));
    const int segnoLeft = destra + 240;
    const int segnoTop = kSecondoTop + 120;
    const int segno = 840;
    addControl(new Line(area(), QPoint(tw(segnoLeft), tw(segnoTop)), QPoint(tw(segnoLeft + segno), tw(segnoTop + segno)),
                        Qt::black, 3),
               QStringLiteral("Line2"));
    addControl(new Line(area(), QPoint(tw(segnoLeft + segno), tw(segnoTop)), QPoint(tw(segnoLeft), tw(segnoTop + segno)),
                        Qt::black, 3),
               QStringLiteral("Line3"));
    if (setup.collegamenti) {
        // From the second factor up to the digit it multiplies now.
        const int sotto = kPrimoTop + kCasellaHeight;
        Line6 = new Line(area(), QPoint(tw(centro(U)), tw(kSecondoTop)), QPoint(tw(centro(U)), tw(sotto)), bianco, 3);
        Line7 = new Line(area(), QPoint(tw(kColonnaLeft[U] + 120), tw(kSecondoTop)), QPoint(tw(centro(Da)), tw(sotto)),
                         bianco, 3);
        addControl(Line6, QStringLiteral("Line6"));
        addControl(Line7, QStringLiteral("Line7"));
        Line6->hide();
        Line7->hide();
    }

    const QFont risultatoFont = layoutFont(QStringLiteral("Arial"), 32);
    auto risultato = [&](const QString &name, int posto) {
        auto *box = add(riquadro(new DigitBox, risultatoFont, kColorePosto[posto], kTestoPosto[posto]), name,
                        kColonnaLeft[posto], kRisultatoTop, kColonnaWidth, kCasellaHeight);
        box->setMaxLength(2);
        box->setEnabled(false);
        // Enter on an empty box may be the answer 0 here, so the frame's
        // check of non-empty boxes is not used.
        connect(box, &DigitBox::enterReleased, this, [this, posto] { colonnaInviata(posto); });
        risultato_[static_cast<std::size_t>(posto)] = box;
        return box;
    };
    if (colonne == 3)
        Ehr = risultato(QStringLiteral("Ehr"), H);
    Edar = risultato(QStringLiteral("Edar"), Da);
    Eur = risultato(QStringLiteral("Eur"), U);

    if (setup.cambi) {
        auto cambio = [&](auto *label, const QString &name, int left, int top) {
            add(riquadro(label, cambioFont, kColoreCambio, Qt::black), name, left, top, kCambioSide, kCambioSide);
            label->hide();
            return label;
        };
        // Departures stand in the result row just left of the column that
        // gave the carry; arrivals on top of the column that takes it.
        const int partenzaTop = kRisultatoTop + (kCasellaHeight - kCambioSide) / 2;
        CambioUp = cambio(new DragLabel, QStringLiteral("CambioUp"), kColonnaLeft[U] - kCambioSide - 30, partenzaTop);
        CambioUa = cambio(new QLabel, QStringLiteral("CambioUa"), centro(Da) - kCambioSide / 2, kArrivoTop);
        CambioDap = cambio(new DragLabel, QStringLiteral("CambioDap"), kColonnaLeft[Da] - kCambioSide - 30, partenzaTop);
        CambioDaa = cambio(new QLabel, QStringLiteral("CambioDaa"), centro(H) - kCambioSide / 2, kArrivoTop);
        CambioUp->setDragMode(true);
        CambioDap->setDragMode(true);
        partenza_ = {CambioUp, CambioDap};
        arrivo_ = {CambioUa, CambioDaa};
        for (int c = 0; c < 2; ++c) {
            drops_->addSource(partenza_[static_cast<std::size_t>(c)]);
            drops_->addTarget(arrivo_[static_cast<std::size_t>(c)],
                              [this, c](QWidget *source) { spostaCambio(c, source); });
        }
    }

    for (DragLabel *fonte : {Lh1, Lda1, Lu1, Lu2})
        if (fonte)
            drops_->addSource(fonte);
    const std::pair<QLabel *, DragLabel *> caselle[] = {{Eh1, Lh1}, {Eda1, Lda1}, {Eu1, Lu1}, {Eu2, Lu2}};
    for (const auto &[casella, fonte] : caselle)
        if (casella)
            drops_->addTarget(casella, [this, casella, fonte](QWidget *source) { mettiCifra(casella, fonte, source); });
}

void ColumnForm::afterLoad()
{
    // The boxes have no caption of their own: what the language file says
    // they are is what a screen reader reads.
    for (QWidget *box : std::initializer_list<QWidget *>{Eh1, Eda1, Eu1, Eu2, Ehr, Edar, Eur, CambioUp, CambioUa,
                                                          CambioDap, CambioDaa})
        if (box)
            box->setAccessibleName(box->toolTip());
}

void ColumnForm::afterActivate()
{
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    NuovoEsercizio();
}

void ColumnForm::avantiPressed()
{
    BottoneAvanti->setEnabled(false);
    NuovoEsercizio();
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
    cifreDaTrascinare_ = m.centinaia > 0 ? 3 : m.decine > 0 ? 2 : 1;
    secondoFattoreDaTrascinare_ = 1;

    // An empty place of the first factor is not shown and cannot be dragged.
    auto cifra = [](DragLabel *label, bool mostrata, int valore) {
        if (!label)
            return;
        label->setText(mostrata ? signSpaced(valore) : QString());
        label->setDragMode(mostrata);
    };
    cifra(Lh1, m.centinaia > 0, m.centinaia);
    cifra(Lda1, m.decine > 0 || m.centinaia > 0, m.decine);
    cifra(Lu1, true, m.unita);
    Lu2->setText(signSpaced(sf));
    Lu2->setDragMode(false);
    allineaRiga();

    mostra(setup_.istruzioni.primoFattore);
}

void ColumnForm::allineaRiga()
{
    int left = (Lh1 ? static_cast<QWidget *>(Lh1) : Lda1)->x();
    for (QLabel *label : {static_cast<QLabel *>(Lh1), static_cast<QLabel *>(Lda1), static_cast<QLabel *>(Lu1), Label6,
                          static_cast<QLabel *>(Lu2), Label7, Lris}) {
        if (!label)
            continue;
        label->setGeometry(left, label->y(), label->sizeHint().width(), label->height());
        left += label->width();
    }
}

void ColumnForm::mostra(const char *istruzione)
{
    Label3->setText(MLSGetString(QString::fromLatin1(istruzione)));
}

void ColumnForm::dropOn(QWidget *source, QWidget *target)
{
    drops_->dropOn(source, target);
}

// A digit is taken when its caption matches the box's own digit, whichever
// label brought it. A box takes one digit only, a caption without a digit is
// never a digit, and the second factor waits for the whole first factor: so
// the set-up moves on only when every box shows its digit.
void ColumnForm::mettiCifra(QLabel *casella, DragLabel *fonte, QWidget *trascinata)
{
    const QString cifra = didascalia(trascinata);
    if (cifra.trimmed().isEmpty() || cifra != fonte->text() || !casella->text().isEmpty())
        return;
    const bool secondo = casella == Eu2;
    if (secondo && cifreDaTrascinare_ > 0)
        return;
    casella->setText(fonte->text());
    fonte->setDragMode(false);
    if (secondo) {
        --secondoFattoreDaTrascinare_;
        Controlla2();
    } else {
        --cifreDaTrascinare_;
        Controlla1();
    }
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
    mostra(setup_.istruzioni.unita);
    if (Line6)
        Line6->show();
    apriColonna(U);
}

void ColumnForm::apriColonna(int colonna)
{
    colonna_ = colonna;
    DigitBox *box = risultato_[static_cast<std::size_t>(colonna)];
    box->setEnabled(true);
    box->setFocus();
}

void ColumnForm::colonnaInviata(int colonna)
{
    DigitBox *box = risultato_[static_cast<std::size_t>(colonna)];
    const int atteso = prodotto_[static_cast<std::size_t>(colonna)];
    // Only the open box answers; an empty box is the answer 0 where 0 is due.
    if (colonna != colonna_ || (box->text().isEmpty() && atteso != 0))
        return;
    if (leadingNumber(box->text()) != atteso) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    const int ultima = setup_.colonneRisultato - 1;
    if (setup_.cambi && atteso >= 10 && colonna < ultima) {
        separaCambio(colonna);
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

// The column keeps its units; the tens of its product become the carry,
// which waits in the result row until it is dragged on top of the next column.
void ColumnForm::separaCambio(int colonna)
{
    const auto c = static_cast<std::size_t>(colonna);
    risultato_[c]->setEnabled(false);
    colonna_ = -1;
    valoreCambio_ = prodotto_[c] / 10;
    partenza_[c]->show();
    arrivo_[c]->show();
    partenza_[c]->setText(signSpaced(valoreCambio_));
    arrivo_[c]->clear();
    prodotto_[c] -= 10 * valoreCambio_;
    risultato_[c]->setText(signSpaced(prodotto_[c]));
    mostra(colonna == U ? setup_.istruzioni.spostaCambioU : setup_.istruzioni.spostaCambioDa);
}

// A carry is moved once: its departure label is hidden once it has gone, and
// only a shown departure can be matched.
void ColumnForm::spostaCambio(int colonna, QWidget *trascinata)
{
    const auto c = static_cast<std::size_t>(colonna);
    DragLabel *partenza = partenza_[c];
    if (partenza->isHidden() || didascalia(trascinata) != partenza->text())
        return;
    apriColonna(colonna + 1);
    mostra(colonna == U ? setup_.istruzioni.cambioUSpostato : setup_.istruzioni.cambioDaSpostato);
    prodotto_[c + 1] += valoreCambio_;
    arrivo_[c]->setText(partenza->text());
    partenza->clear();
    partenza->hide();
}

void ColumnForm::completa()
{
    const int prodotto = 100 * prodotto_[H] + 10 * prodotto_[Da] + prodotto_[U];
    Lris->setText(signSpaced(prodotto));
    allineaRiga();
    SegnaEsatto();
    SuonoSi();
    risultato_[static_cast<std::size_t>(colonna_)]->setEnabled(false);
    colonna_ = -1;
    if (Line7)
        Line7->hide();
    BottoneAvanti->setEnabled(true);
    BottoneAvanti->setFocus();
}
