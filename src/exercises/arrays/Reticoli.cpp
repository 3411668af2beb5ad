#include "exercises/arrays/Reticoli.h"

#include "exercises/arrays/Istruzione.h"
#include "exercises/arrays/Lattice.h"
#include "exercises/arrays/LetturaCostruzione.h"
#include "frame/RoundButton.h"
#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Layout in twips.
constexpr int kLatticeLeft = 1440;
constexpr int kLatticeTop = 480;
constexpr int kButtonsTop = 4920;
constexpr int kButtonWidth = 2160;
constexpr int kButtonHeight = 840;
constexpr int kExerciseTop = 6240;
constexpr int kRightColumn = 12240;
constexpr int kRightWidth = 2880;

} // namespace

Reticoli::Reticoli() : ExerciseForm(QStringLiteral("Reticoli"), QStringLiteral("FormMenuGrafici"))
{
    const QSize side = Lattice::twipsSize();
    reticolo = add(new Lattice, QStringLiteral("reticolo"), kLatticeLeft, kLatticeTop, side.width(), side.height());

    auto button = [this](const QString &name, const QString &caption, int left, void (Reticoli::*action)()) {
        auto *b = add(new RoundButton(caption), name, left, kButtonsTop, kButtonWidth, kButtonHeight);
        b->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 16));
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    BottoneO = button(QStringLiteral("BottoneO"), QStringLiteral("Orizzontale"), kLatticeLeft,
                      &Reticoli::lineaOrizzontale);
    BottoneV = button(QStringLiteral("BottoneV"), QStringLiteral("Verticale"), kLatticeLeft + kButtonWidth + 240,
                      &Reticoli::lineaVerticale);
    Command3D1 = button(QStringLiteral("Command3D1"), QStringLiteral("Ricomincia"),
                        kLatticeLeft + 2 * (kButtonWidth + 240), &Reticoli::ricomincia);

    etic = add(new QLabel(QStringLiteral(" 6 x 8 = ")), QStringLiteral("etic"), kLatticeLeft, kExerciseTop, 3600, 1200);
    etic->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 36));
    etic->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Text1 = addAnswerBox(QStringLiteral("Text1"), -1, QRect(kLatticeLeft + 3600, kExerciseTop, 1560, 1200), 4,
                         layoutFont(QStringLiteral("Arial"), 30));
    askWith(Text1);

    Label3 = add(new Istruzione(QStringLiteral("Label3")), QStringLiteral("Label3"), kRightColumn, 3960, kRightWidth,
                 4080);
    Label3->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 15));

    addTermFrame(1, 10, QStringLiteral("Command3D2"), QStringLiteral("MenuScegli"), QStringLiteral("Scegli i fattori"));
}

Reticoli::Fattori Reticoli::estraiFattori(const std::function<bool(int)> &termTicked)
{
    Fattori f{};
    f.primoFattore = randomBelow(10) + 1;
    f.secondoFattore = randomBelow(10) + 1;
    // Nine steps down, 1 wrapping to 10, reach any ticked term; with none
    // ticked the factor simply ends nine steps down.
    for (int step = 0; step < 9; ++step) {
        if (!termTicked(f.primoFattore))
            f.primoFattore = f.primoFattore == 1 ? 10 : f.primoFattore - 1;
    }
    return f;
}

void Reticoli::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    ricomincia();
    fattori_ = estraiFattori([this](int term) { return termTicked(term); });
    Label3->setText(MLSGetString(QStringLiteral("0004")));
    puntiCompleti_ = false;
    etic->setText(signSpaced(fattori_.primoFattore) + QStringLiteral(" x ") + signSpaced(fattori_.secondoFattore) +
                  QStringLiteral(" = "));
    etic->resize(etic->sizeHint().width(), etic->height());
    Text1->setGeometry(etic->x() + etic->width(), etic->y(), Text1->width(), etic->height());
    Text1->setEnabled(true);
    Text1->setFocus();
    // A new exercise is unsolved however it came: by "avanti", or by a choice
    // of factors confirmed after a right answer.
    BottoneAvanti->setEnabled(false);
    Command3D1->setEnabled(true);
    announceExercise();
}

void Reticoli::ricomincia()
{
    Text1->clear();
    punti_ = 0;
    reticolo->setLinee(0, 0);
}

void Reticoli::lineaVerticale()
{
    if (reticolo->verticali() == Lattice::kLines)
        return;
    // Each horizontal line on show crosses the new line at a new dot.
    punti_ += reticolo->orizzontali();
    reticolo->setLinee(reticolo->orizzontali(), reticolo->verticali() + 1);
    Controlla();
}

void Reticoli::lineaOrizzontale()
{
    if (reticolo->orizzontali() == Lattice::kLines)
        return;
    punti_ += reticolo->verticali();
    reticolo->setLinee(reticolo->orizzontali() + 1, reticolo->verticali());
    Controlla();
}

void Reticoli::Controlla()
{
    if (fattori_.primoFattore * fattori_.secondoFattore != punti_)
        return;
    Label3->setText(MLSGetString(QStringLiteral("0005")));
    Text1->setEnabled(true);
    Text1->setFocus();
    if (!puntiCompleti_) {
        puntiCompleti_ = true;
        announceExercise();
    }
}

QString Reticoli::spokenExercise() const
{
    if (puntiCompleti_)
        return Label3->text();
    using LetturaCostruzione::quanti;
    // The first factor counts the vertical lines, as the instruction says.
    const QString linee = fillWord(MLSGetString(QStringLiteral("0324")),
                                   quanti(fattori_.primoFattore, "0320", "0321"),
                                   quanti(fattori_.secondoFattore, "0322", "0323"));
    return LetturaCostruzione::costruisci(fattori_.primoFattore, fattori_.secondoFattore, linee, Label3->text());
}

QString Reticoli::questionFor(const QWidget *) const
{
    return fillWord(MLSGetString(QStringLiteral("0294")), QString::number(fattori_.primoFattore),
                    QString::number(fattori_.secondoFattore));
}

void Reticoli::afterActivate()
{
    NuovoEsercizio();
}

void Reticoli::answerEntered(DigitBox *box, double value)
{
    if (checkSingleAnswer(box, value, fattori_.primoFattore * fattori_.secondoFattore))
        Command3D1->setEnabled(false);
}

