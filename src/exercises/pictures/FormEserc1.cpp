#include "exercises/pictures/FormEserc1.h"

#include "exercises/pictures/RoundedLabel.h"
#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Layout in twips: the picture top left, the two word rows to its right, the
// text of the problem across the window below.
constexpr QRect kPicture{480, 480, 6400, 4800};
constexpr QRect kSubject{7200, 1320, 3000, 1080};
constexpr QRect kObject{7200, 2880, 3000, 1080};
constexpr QRect kText{480, 5760, 11280, 2880};
constexpr QRect kCount{10320, 1320, 1440, 1080};
constexpr QRect kAnswer{10320, 2880, 1440, 1080};

} // namespace

FormEserc1::FormEserc1() : PictureProblemForm(QStringLiteral("FormEserc1"), kPicture, kSubject, kObject, kText)
{
    Label3 = add(new RoundedLabel(QStringLiteral(" 0")), QStringLiteral("Label3"), kCount.x(), kCount.y(),
                 kCount.width(), kCount.height());
    Label3->setFont(layoutFont(QStringLiteral("Arial"), 26));
    Label3->setAlignment(Qt::AlignCenter);
    TestoInserito = addAnswerBox(QStringLiteral("TestoInserito"), -1, kAnswer, 3,
                                 layoutFont(QStringLiteral("Arial"), 26));
    TestoInserito->setAlignment(Qt::AlignCenter);
    TestoInserito->setText(QStringLiteral("0"));
    askWith(TestoInserito);

    addTermFrame(1, 10, QStringLiteral("Command1"));
}

void FormEserc1::afterActivate()
{
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    NuovoEsercizio();
}

void FormEserc1::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    TestoInserito->clear();
    const int primo = randomBelow(10) + 1;
    numeroSoggetti_ = randomBelow(10) + 1;
    numeroOggetti_ = ridisegnaFinoATermine(primo);
    ScegliProblema(numeroOggetti_);
    Label3->setText(signSpaced(numeroSoggetti_));
    if (TestoInserito->isEnabled())
        TestoInserito->setFocus();
    announceExercise();
}

void FormEserc1::answerEntered(DigitBox *box, double value)
{
    checkSingleAnswer(box, value, numeroSoggetti_ * numeroOggetti_);
}

QString FormEserc1::spokenExercise() const
{
    return fillWord(MLSGetString(QStringLiteral("0312")), contaSoggetti(numeroSoggetti_), Label4->text());
}

// The box opens here rather than in NuovoEsercizio: confirming the terms
// after a right answer shows a new problem with the box still closed, and
// "avanti" stays the way on.
void FormEserc1::avantiPressed()
{
    if (!anyTermTicked())
        return;
    NuovoEsercizio();
    TestoInserito->setEnabled(true);
    BottoneAvanti->setEnabled(false);
    TestoInserito->setFocus();
}
