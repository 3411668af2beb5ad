#include "exercises/arrays/ArrayForm.h"

#include "exercises/arrays/DiscGrid.h"
#include "exercises/arrays/Istruzione.h"
#include "exercises/arrays/LetturaCostruzione.h"
#include "frame/RoundButton.h"
#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// Layout in twips. The places stand side by side from the left, hundreds,
// tens, units; each keypad under its grid.
constexpr int kLeft = 480;
constexpr int kGap = 720;
constexpr int kGridTop = 1680;
constexpr int kKey = 840;
constexpr int kKeyPad = 90;
constexpr int kKeypadTop = 5160;
constexpr int kCambioTop = 8100;
constexpr int kCambioWidth = 1800;
constexpr int kButtonHeight = 840;
constexpr int kHundredsColumn = 2 * kKey + 2 * kKeyPad;
constexpr int kRightColumn = 12240;
constexpr int kRightWidth = 2880;

constexpr int kMaxRighe = 9;
constexpr int kUnitsDiscs = 81;
constexpr int kHundredsDiscs = 36;
// Formu keeps its few tens discs in two short rows beside the units.
constexpr int kFewTensDiscs = 9;
constexpr int kFewTensColumns = 5;

struct PlaceLook {
    const char *grid;
    const char *keypad;
    const char *frame;
    QColor colour;
    int columns;      // discs in a row
    int keys;         // keypad buttons
    int keyColumns;   // keypad buttons in a row
};

const PlaceLook kPlaces[3] = {
    {"u", "Command3", "Frame3", QColor(0, 0, 255), 9, 9, 3},
    {"da", "Command2", "Frame2", QColor(255, 0, 0), 9, 9, 3},
    {"h", "Command1", "Frame1", QColor(0, 192, 0), 4, 4, 2},
};

int keypadSide(int keys, int perRow)
{
    return ((keys + perRow - 1) / perRow) * kKey + 2 * kKeyPad;
}

// The next place up.
Posto above(Posto posto)
{
    return posto == Posto::Unita ? Posto::Decine : Posto::Centinaia;
}

} // namespace

ArrayForm::ArrayForm(const QString &name, const Configurazione &configurazione)
    : ExerciseForm(name, QStringLiteral("FormMenuGrafici")), config_(configurazione)
{
    EtichettaNumero = add(new QLabel(QStringLiteral("Forma il numero")), QStringLiteral("EtichettaNumero"), kLeft,
                          240, 4800, 1200);
    EtichettaNumero->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 36));
    EtichettaNumero->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Text1 = addAnswerBox(QStringLiteral("Text1"), -1, QRect(kLeft + 4800, 360, 1560, 960), 4,
                         layoutFont(QStringLiteral("Arial"), 30));
    askWith(Text1);

    Label3 = add(new Istruzione(QStringLiteral("Prova a scriverci qualcosa")), QStringLiteral("Label3"), kRightColumn,
                 3960, kRightWidth, 4080);
    Label3->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 15));

    // The places from the highest down, left to right.
    const bool fewTens = config_.tastiere == 1;
    const int highest = config_.dischiCentinaia ? 2 : 1;
    const QFont keyFont = layoutFont(QStringLiteral("Arial"), 18);
    int x = kLeft;
    std::array<int, 3> columnLeft{};
    std::array<int, 3> columnWidth{};
    for (int p = highest; p >= 0; --p) {
        const PlaceLook &look = kPlaces[p];
        const Posto posto = static_cast<Posto>(p);
        const int count = p == 2 ? kHundredsDiscs : (p == 1 && fewTens ? kFewTensDiscs : kUnitsDiscs);
        const int columns = p == 1 && fewTens ? kFewTensColumns : look.columns;
        const QSize grid = DiscGrid::twipsSize(count, columns);
        const int width = p == 2 ? kHundredsColumn : std::max(grid.width(), keypadSide(look.keys, look.keyColumns));
        columnLeft[static_cast<std::size_t>(p)] = x;
        columnWidth[static_cast<std::size_t>(p)] = width;

        auto *discs = add(new DiscGrid(count, columns, look.colour), QString::fromLatin1(look.grid),
                          x + (width - grid.width()) / 2, kGridTop, grid.width(), grid.height());
        dischi_[at(posto)] = discs;

        if (p < config_.tastiere) {
            const int side = keypadSide(look.keys, look.keyColumns);
            const int frameWidth = look.keyColumns * kKey + 2 * kKeyPad;
            auto *frame = add(new QFrame, QString::fromLatin1(look.frame), x + (width - frameWidth) / 2, kKeypadTop,
                              frameWidth, side);
            frame->setAutoFillBackground(true);
            QPalette colour = frame->palette();
            colour.setColor(QPalette::Window, look.colour);
            frame->setPalette(colour);
            cornici_[at(posto)] = frame;
            for (int k = 0; k < look.keys; ++k) {
                auto *key = add(new RoundButton(QString::number(k + 1), frame), QString::fromLatin1(look.keypad),
                                kKeyPad + (k % look.keyColumns) * kKey, kKeyPad + (k / look.keyColumns) * kKey,
                                kKey, kKey, k);
                key->setFont(keyFont);
                connect(key, &QPushButton::clicked, this, [this, posto, k] { aggiungiRiga(posto, k); });
                tastiere_[at(posto)].push_back(key);
            }
        }
        x += width + kGap;
    }

    auto cambio = [&](const QString &name, Posto posto, int left, int top, int width) {
        auto *button = add(new RoundButton(QStringLiteral("Cambio")), name, left, top, width, kButtonHeight);
        button->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 16));
        connect(button, &QPushButton::clicked, this, [this, posto] { cambia(posto); });
        return button;
    };
    // The units-to-tens button stands between the tens and the units keypads
    // (beside the few tens discs when there is no tens keypad); the
    // tens-to-hundreds one under the hundreds, or between hundreds and tens
    // keypads when the hundreds have one.
    if (config_.cambi >= 1) {
        if (fewTens) {
            const QSize tens = DiscGrid::twipsSize(kFewTensDiscs, kFewTensColumns);
            Command3D2 = cambio(QStringLiteral("Command3D2"), Posto::Unita, columnLeft[1],
                                kGridTop + tens.height() + 480, columnWidth[1]);
        } else {
            const int gapCentre = columnLeft[0] - kGap / 2;
            Command3D2 = cambio(QStringLiteral("Command3D2"), Posto::Unita, gapCentre - kCambioWidth / 2, kCambioTop,
                                kCambioWidth);
        }
    }
    if (config_.cambi >= 2) {
        if (config_.tastiere == 3) {
            const int gapCentre = columnLeft[1] - kGap / 2;
            Command3D3 = cambio(QStringLiteral("Command3D3"), Posto::Decine, gapCentre - kCambioWidth / 2, kCambioTop,
                                kCambioWidth);
        } else {
            Command3D3 = cambio(QStringLiteral("Command3D3"), Posto::Decine, columnLeft[2], kKeypadTop,
                                columnWidth[2]);
        }
    }

    Command3D1 = add(new RoundButton(QStringLiteral("Ricomincia")), QStringLiteral("Command3D1"), kRightColumn, 8280,
                     kRightWidth, 960);
    Command3D1->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 16));
    connect(Command3D1, &QPushButton::clicked, this, &ArrayForm::ricomincia);
}

void ArrayForm::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    svuota();
    fattori_ = estrai();

    EtichettaNumero->setText(signSpaced(fattori_.primoFattore) + QStringLiteral(" x ") +
                             signSpaced(fattori_.secondoFattore) + QStringLiteral(" = "));
    EtichettaNumero->resize(EtichettaNumero->sizeHint().width(), EtichettaNumero->height());
    Text1->move(EtichettaNumero->x() + EtichettaNumero->width(), Text1->y());
    mostraIstruzione(Passo::Costruisci);
    announceExercise();
}

void ArrayForm::svuota()
{
    Text1->clear();
    righe_ = {};
    conta_ = {};
    for (DiscGrid *grid : dischi_) {
        if (grid)
            grid->hideAll();
    }
}

void ArrayForm::ricomincia()
{
    svuota();
    passaA(Passo::Costruisci);
}

void ArrayForm::aggiungiRiga(Posto posto, int k)
{
    int &righe = righe_[at(posto)];
    if (righe == kMaxRighe)
        return;
    DiscGrid *grid = dischi_[at(posto)];
    grid->showRange(grid->columns() * righe, grid->columns() * righe + k);
    ++righe;
    conta_[at(posto)] += k + 1;
    Controlla();
}

void ArrayForm::cambia(Posto posto)
{
    DiscGrid *from = dischi_[at(posto)];
    if (from->shownCount() < 10) {
        SegnaErrato();
        return;
    }
    const Posto to = above(posto);
    from->hideFirstShown(10);
    // A full grid shows no further disc, yet the counts move all the same.
    dischi_[at(to)]->showFirstHidden();
    conta_[at(posto)] -= 10;
    conta_[at(to)] += 1;
    ControllaSeCambio();
}

void ArrayForm::Controlla()
{
    const int count = 100 * conta(Posto::Centinaia) + 10 * conta(Posto::Decine) + conta(Posto::Unita);
    if (count != prodotto())
        return;
    if (config_.cambi > 0)
        ControllaSeCambio();
    else
        MettiIlRisultato();
}

void ArrayForm::ControllaSeCambio()
{
    if (conta(Posto::Decine) >= 10 || conta(Posto::Unita) >= 10)
        passaA(Passo::Cambio);
    else
        MettiIlRisultato();
}

void ArrayForm::MettiIlRisultato()
{
    passaA(Passo::Risultato);
    Text1->setEnabled(true);
    Text1->setFocus();
}

void ArrayForm::mostraIstruzione(Passo passo)
{
    passo_ = passo;
    const StringIds &ids = config_.istruzioni;
    const char *id = passo == Passo::Costruisci ? ids.inizio : passo == Passo::Cambio ? ids.cambio : ids.risultato;
    Label3->setText(MLSGetString(QString::fromLatin1(id)));
}

void ArrayForm::passaA(Passo passo)
{
    if (passo == passo_)
        return;
    mostraIstruzione(passo);
    announceExercise();
}

QString ArrayForm::spokenExercise() const
{
    if (passo_ != Passo::Costruisci)
        return Label3->text();
    const int primo = fattori_.primoFattore;
    const int secondo = fattori_.secondoFattore;
    const int righe = config_.righeDalPrimo ? primo : secondo;
    const int lunghezza = config_.righeDalPrimo ? secondo : primo;
    const QString come = LetturaCostruzione::quanti(righe, "0318", "0319", QString::number(lunghezza));
    return LetturaCostruzione::costruisci(primo, secondo, come, Label3->text());
}

QString ArrayForm::questionFor(const QWidget *) const
{
    return fillWord(MLSGetString(QStringLiteral("0294")), QString::number(fattori_.primoFattore),
                    QString::number(fattori_.secondoFattore));
}

void ArrayForm::afterLoad()
{
    // A key reads as "3" and its keypad's tip says which place it fills.
    for (std::size_t p = 0; p < cornici_.size(); ++p) {
        for (QPushButton *key : tastiere_[p])
            key->setAccessibleDescription(cornici_[p]->toolTip());
    }
}

void ArrayForm::afterActivate()
{
    if (config_.erratiAllAttivazione)
        EtichettaErrati->setText(signSpaced(state().contaErrati));
    NuovoEsercizio();
}

void ArrayForm::answerEntered(DigitBox *box, double value)
{
    if (checkSingleAnswer(box, value, prodotto()))
        Command3D1->setEnabled(false);
}

void ArrayForm::avantiPressed()
{
    Command3D1->setEnabled(true);
    Text1->setEnabled(true);
    NuovoEsercizio();
    // The box takes the focus before "avanti" gives it up, so it is not
    // passed on to whatever control comes next.
    Text1->setFocus();
    BottoneAvanti->setEnabled(false);
}

int ArrayForm::secondoFattorePesato()
{
    static constexpr int kPesi[24] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 2, 3, 4, 2, 3, 4, 2, 3, 2, 3};
    return kPesi[randomBelow(24)];
}

int ArrayForm::cifraSenzaCambio(int secondoFattore, const std::array<int, 3> &ranges, int lowest)
{
    const int s = randomBelow(3);
    int cifra = randomBelow(ranges[static_cast<std::size_t>(s)]) + lowest;
    while (cifra * secondoFattore > 9)
        --cifra;
    return cifra;
}
