#include "exercises/pictures/PictureProblemForm.h"

#include "exercises/pictures/PictureBox.h"
#include "exercises/pictures/RoundedLabel.h"
#include "frame/Accessibility.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QGroupBox>
#include <QLabel>

PictureProblemForm::PictureProblemForm(const QString &name, QRect picture, QRect subject, QRect object,
                                       QRect text)
    : ExerciseForm(name, QStringLiteral("FormMenuGrafici"))
{
    Image1 = add(new PictureBox, QStringLiteral("Image1"), picture.x(), picture.y(), picture.width(),
                 picture.height());

    const QFont wordFont = layoutFont(QStringLiteral("Comic Sans MS"), 22);
    EtSoggetto = add(new QLabel(QStringLiteral("galli")), QStringLiteral("EtSoggetto"), subject.x(), subject.y(),
                     subject.width(), subject.height());
    EtOggetto = add(new QLabel(QStringLiteral("zampe")), QStringLiteral("EtOggetto"), object.x(), object.y(),
                    object.width(), object.height());
    for (QLabel *word : {EtSoggetto, EtOggetto}) {
        word->setFont(wordFont);
        word->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        word->setWordWrap(true);
    }

    Label4 = add(new RoundedLabel(QStringLiteral("Label4"), 14), QStringLiteral("Label4"), text.x(), text.y(),
                 text.width(), text.height());
    Label4->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 20));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label4->setMargin(12);
}

CatalogoFigure::Voce PictureProblemForm::ScegliProblema(int n)
{
    const int k = randomBelow(CatalogoFigure::numeroVoci(n)) + 1;
    CatalogoFigure::Voce voce = CatalogoFigure::voce(n, k);
    Image1->load(programFile(QStringLiteral("jpg/") + voce.figura));
    const QString soggetto = MLSGetString(voce.idSoggetto);
    EtSoggetto->setText(soggetto);
    EtOggetto->setText(MLSGetString(voce.idOggetto));
    Label4->setText(MLSGetString(voce.idTesto));
    Image1->setAccessibleName(soggetto);
    return voce;
}

void PictureProblemForm::beforeLocalise()
{
    // The picture is painted after the other controls of the window, none of
    // which it overlaps, so that it is read while they paint. The
    // choose-terms frame stays above it.
    Image1->raise();
    if (termFrame())
        termFrame()->raise();
}

int PictureProblemForm::ridisegnaFinoATermine(int numero)
{
    for (int estrazioni = 0; estrazioni < kMaxEstrazioni && !termTicked(numero); ++estrazioni)
        numero = randomBelow(10) + 1;
    if (termTicked(numero))
        return numero;
    for (int n = CatalogoFigure::kPrimoGruppo; n <= CatalogoFigure::kUltimoGruppo; ++n) {
        if (termTicked(n))
            return n;
    }
    return numero;
}

void PictureProblemForm::avantiPressed()
{
    // "avanti" stays usable under the open choose-terms frame; with every
    // term unticked there no group could be drawn, so the press waits.
    if (!anyTermTicked())
        return;
    ExerciseForm::avantiPressed();
}

QString PictureProblemForm::contaSoggetti(int n) const
{
    // The catalogue names its subjects in the plural only, so one subject
    // has a form of its own that needs no singular ("galli: 1").
    const QString forma = MLSGetString(n == 1 ? QStringLiteral("0311") : QStringLiteral("0310"));
    return fillWord(forma, QString::number(n), EtSoggetto->text());
}
