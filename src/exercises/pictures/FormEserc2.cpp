#include "exercises/pictures/FormEserc2.h"

#include "exercises/pictures/RoundedLabel.h"
#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Layout in twips: the picture top left with the problem's text beside it;
// below them the row of counts and the row of answers, each after its word.
constexpr QRect kPicture{480, 360, 6000, 4500};
constexpr QRect kText{6840, 360, 5040, 4500};
constexpr int kCountRow = 5400;
constexpr int kBoxRow = 6600;
constexpr int kRowHeight = 1080;
constexpr int kWordLeft = 480;
constexpr int kWordWidth = 2820;
constexpr int kFirstColumn = 3360;
constexpr int kColumnPitch = 795;
constexpr int kColumnWidth = 765;

const QColor kWaitingBox(236, 233, 222);

} // namespace

FormEserc2::FormEserc2()
    : PictureProblemForm(QStringLiteral("FormEserc2"), kPicture, QRect(kWordLeft, kCountRow, kWordWidth, kRowHeight),
                         QRect(kWordLeft, kBoxRow, kWordWidth, kRowHeight), kText)
{
    const QFont countFont = layoutFont(QStringLiteral("Arial"), 22);
    const QFont boxFont = layoutFont(QStringLiteral("Arial"), 20);
    for (int i = 0; i < kCaselle; ++i) {
        const int left = kFirstColumn + i * kColumnPitch;
        Label3[i] = add(new RoundedLabel(i == 0 ? QStringLiteral(" 0") : QString::number(i), 8),
                        QStringLiteral("Label3"), left, kCountRow, kColumnWidth, kRowHeight, i);
        Label3[i]->setFont(countFont);
        Label3[i]->setAlignment(Qt::AlignCenter);
        TestoInserito[i] = addAnswerBox(QStringLiteral("TestoInserito"), i,
                                        QRect(left, kBoxRow, kColumnWidth, kRowHeight), 3, boxFont);
        TestoInserito[i]->setAlignment(Qt::AlignCenter);
        // Only one box of the row takes an answer at a time: the others wear
        // a soft tint, so the child sees at once where to write.
        TestoInserito[i]->setDisabledFace(kWaitingBox);
        askWith(TestoInserito[i]);
    }
    addTermFrame(1, 10, QStringLiteral("Command3D2"));
}

double FormEserc2::letturaCasella(int i, const QString &text)
{
    const QString t = text.trimmed();
    return leadingNumber(i < kCaselle - 1 ? t.right(2) : t);
}

void FormEserc2::afterActivate()
{
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    NuovoEsercizio();
}

void FormEserc2::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    for (DigitBox *box : TestoInserito)
        box->clear();
    numeroOggetti_ = ridisegnaFinoATermine(randomBelow(10) + 1);
    ScegliProblema(numeroOggetti_);
    for (int i = 1; i < kCaselle; ++i)
        TestoInserito[i]->setEnabled(false);
    TestoInserito[0]->setEnabled(true);
    TestoInserito[0]->setFocus();
    casella_ = 0;
    announceExercise();
}

void FormEserc2::answerEntered(DigitBox *box, double)
{
    const int i = box->property("index").toInt();
    if (letturaCasella(i, box->text()) != i * numeroOggetti_) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    casella_ = i + 1;
    if (i < kCaselle - 1) {
        ComandoIconaSi->show();
        ComandoIconaNo->hide();
        TestoInserito[i + 1]->setEnabled(true);
        TestoInserito[i + 1]->setFocus();
        box->setEnabled(false);
        announceExercise();
        return;
    }
    SegnaEsatto();
    SuonoSi();
    BottoneAvanti->setEnabled(true);
    box->setEnabled(false);
    BottoneAvanti->setFocus();
}

QString FormEserc2::spokenExercise() const
{
    return casella_ == kCaselle ? Label4->text() : domanda(casella_);
}

QString FormEserc2::questionFor(const QWidget *answer) const
{
    return domanda(answer->property("index").toInt());
}

QString FormEserc2::domanda(int casella) const
{
    const QString passo = fillWord(MLSGetString(QStringLiteral("0314")), contaSoggetti(casella), EtOggetto->text());
    if (casella > 0)
        return passo;
    return fillWord(MLSGetString(QStringLiteral("0313")), Label4->text(), passo);
}
