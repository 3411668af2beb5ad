#include "exercises/tables/Form1.h"

#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "frame/Shapes.h"
#include "frame/Twips.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// Layout in twips.
constexpr int kPictureLeft = 1200;
constexpr int kPictureTop = 960;
constexpr int kPictureSide = 6000;
constexpr int kCellSide = 600;
constexpr int kBoxPitch = 1200;
constexpr int kBoxWidth = 1080;
constexpr int kBoxHeight = 780;
constexpr int kFirstBoxRow = 7440;
constexpr int kSecondBoxRow = 8460;

const QColor kCellFill(128, 128, 255);
const QColor kCellBorder(40, 40, 150);
constexpr int kCellBorderWidth = 3;
const QColor kDivider(255, 0, 0);
constexpr int kDividerWidth = 2;

} // namespace

Form1::Form1() : ExerciseForm(QStringLiteral("Form1"), QStringLiteral("FormMenuGrafici"))
{
    setBackground(QColor(255, 244, 206));

    Picture1 = add(new QFrame, QStringLiteral("Picture1"), kPictureLeft, kPictureTop, kPictureSide, kPictureSide);
    Picture1->setAutoFillBackground(true);
    Picture1->setPalette(QPalette(Qt::white));

    Shape1[0] = add(new Shape(Picture1, kCellFill, kCellBorder, kCellBorderWidth), QStringLiteral("Shape1"), 0, 0,
                    kCellSide, kCellSide, 0);

    const int half = tw(kPictureSide / 2);
    const int side = tw(kPictureSide);
    Line3 = new Line(Picture1, QPoint(0, half), QPoint(side, half), kDivider, kDividerWidth);
    addControl(Line3, QStringLiteral("Line3"));
    Line4 = new Line(Picture1, QPoint(half, 0), QPoint(half, side), kDivider, kDividerWidth);
    addControl(Line4, QStringLiteral("Line4"));

    const QFont boxFont = layoutFont(QStringLiteral("Arial"), 20.25);
    for (int k = 1; k <= kCaselle; ++k) {
        const int column = (k - 1) % 5;
        const int top = k <= 5 ? kFirstBoxRow : kSecondBoxRow;
        Text1[k] = addAnswerBox(QStringLiteral("Text1"), k,
                                QRect(kPictureLeft + column * kBoxPitch, top, kBoxWidth, kBoxHeight), 3, boxFont);
        askWith(Text1[k]);
    }

    Label3 = add(new QLabel(QStringLiteral("Label3")), QStringLiteral("Label3"), 8520, 3120, 2400, 1680);
    Label3->setFont(layoutFont(QStringLiteral("Arial"), 26.25));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setStyleSheet(QStringLiteral("background: rgb(0, 255, 0); color: #123d12;"
                                         "border: 3px solid #1b7a1b; border-radius: 14px;"));

    addTermFrame(1, 10, QStringLiteral("Command1"));
}

int Form1::estraiPasso(const std::function<bool(int)> &termTicked)
{
    for (int estrazioni = 0; estrazioni < kMaxEstrazioni; ++estrazioni) {
        const int passo = randomBelow(10) + 1;
        if (termTicked(passo))
            return passo;
    }
    int passo = 1;
    while (passo < 10 && !termTicked(passo))
        ++passo;
    return passo;
}

void Form1::afterActivate()
{
    // The template has been scaled to the screen by now; the copies are made
    // after the layout was recorded, so the resizer never moves them and
    // they take their size and places from the scaled template once.
    const Shape *modello = Shape1[0];
    const int larghezza = modello->width();
    const int altezza = modello->height();
    for (int k = 1; k < kCelle; ++k) {
        Shape1[k] = new Shape(Picture1, kCellFill, kCellBorder, kCellBorderWidth);
        Shape1[k]->resize(larghezza, altezza);
    }
    // The pitch follows the template across and down separately, so the
    // table keeps the picture's shape whatever the screen's proportions.
    for (int k = 0; k < kCelle; ++k)
        Shape1[k]->move(larghezza * (k / 10), altezza * (k % 10));
    // Twips rounded to pixels can leave the table a few pixels off the
    // picture's edges and halves; the picture is fitted to it, and the
    // dividers fall exactly between the fifth and the sixth column and row.
    Picture1->resize(10 * larghezza, 10 * altezza);
    Line3->setY1(5 * altezza);
    Line3->setY2(5 * altezza);
    Line3->setX2(10 * larghezza);
    Line4->setX1(5 * larghezza);
    Line4->setX2(5 * larghezza);
    Line4->setY2(10 * altezza);
    Line3->raise();
    Line4->raise();
    NuovoEsercizio();
}

void Form1::NuovoEsercizio()
{
    for (int k = 1; k <= kCaselle; ++k) {
        Text1[k]->clear();
        Text1[k]->show();
        Text1[k]->setEnabled(false);
    }
    for (Shape *cella : Shape1) {
        if (cella)
            cella->hide();
    }
    BottoneAvanti->setEnabled(false);

    passo_ = estraiPasso([this](int term) { return termTicked(term); });
    mostraCelle(0, passo_);
    Label3->setText(QString::number(passo_));

    casella_ = 1;
    Text1[1]->setEnabled(true);
    Text1[1]->setFocus();
    announceExercise();
}

void Form1::answerEntered(DigitBox *box, double value)
{
    const int k = box->property("index").toInt();
    if (value != k * passo_) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    SegnaEsatto();
    box->setEnabled(false);
    if (k == kCaselle) {
        SuonoSi();
        BottoneAvanti->setEnabled(true);
        BottoneAvanti->setFocus();
        return;
    }
    casella_ = k + 1;
    Text1[k + 1]->setEnabled(true);
    mostraCelle(k * passo_, passo_);
    Text1[k + 1]->setFocus();
    announceExercise();
}

QString Form1::spokenExercise() const
{
    return domanda(casella_);
}

QString Form1::questionFor(const QWidget *answer) const
{
    const int casella = answer->property("index").toInt();
    return casella <= casella_ ? domanda(casella) : QString();
}

QString Form1::domanda(int casella) const
{
    return fillWord(MLSGetString(QStringLiteral("0296")), QString::number(passo_),
                    QString::number((casella - 1) * passo_));
}

void Form1::avantiPressed()
{
    // "avanti" stays usable under the open choose-terms frame; with every
    // term unticked there the draw could never end, so the press is ignored.
    if (!anyTermTicked())
        return;
    ExerciseForm::avantiPressed();
}

void Form1::mostraCelle(int first, int count)
{
    for (int k = first; k < first + count && k < kCelle; ++k) {
        if (Shape *cella = Shape1[k])
            cella->show();
    }
}
