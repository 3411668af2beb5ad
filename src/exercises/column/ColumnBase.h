#pragma once

#include "exercises/column/ColumnDraws.h"
#include "frame/ExerciseForm.h"

#include <QList>

#include <functional>

class DigitBox;
class DragLabel;
class DropTargets;
class Line;
class QLabel;

// What the column and grid windows share: the instruction label, the
// exercise line whose digits are dragged into place-value boxes, the drop
// rule of those boxes, carries that are dragged from a departure label to an
// arrival label, and answer boxes judged on Enter.
class ColumnBase : public ExerciseForm {
    Q_OBJECT
public:
    ColumnBase(const QString &name, const QString &homeMenu);

    // The set-up steps: every digit of the first factor is placed (the second
    // factor may then be dragged); every digit of the second factor is placed.
    virtual void Controlla1() = 0;
    virtual void Controlla2() = 0;

    // source dropped on target: the entry point of every drop, by mouse or not.
    void dropOn(QWidget *source, QWidget *target);

    QLabel *Label3;
    DragLabel *Lh1 = nullptr;
    DragLabel *Lda1;
    DragLabel *Lu1;
    QLabel *Label6;
    DragLabel *Lda2 = nullptr;
    DragLabel *Lu2;
    QLabel *Label7;
    QLabel *Lris;

protected:
    // The instruction label and the exercise line, in twips. The line's first
    // label stands at left; the second factor has a tens digit when asked.
    void addExerciseLine(bool centinaia, bool secondoDecine, const QString &uguale, int left, int top);
    // Shows the factors in the line, makes the first factor's digits
    // draggable and the second factor's not, counts the drops due and gives
    // the focus to the first digit to drag.
    void mostraRiga(const Moltiplicazione &m);
    void allineaRiga();

    // A drop box taking the digit of source (a label of the exercise line).
    QLabel *addDropBox(const QString &name, DragLabel *source, QRect twips, const QFont &font, const QColor &fill,
                       const QColor &text);
    // A carry: its departure label, dragged onto its arrival label, runs
    // routine. Both start hidden.
    void addCarry(DragLabel *partenza, QLabel *arrivo, std::function<void()> routine);
    // Keeps the units of the right column value in box and shows its tens as
    // the carry waiting at partenza; returns the value lowered to its units.
    int separaCambio(DragLabel *partenza, QLabel *arrivo, DigitBox *box, int valore);
    // The carry stands on top of the next column and cannot move again.
    static void posaCambio(DragLabel *partenza, QLabel *arrivo);

    // An answer box judged on Enter by judge.
    DigitBox *addAnswer(const QString &name, int index, QRect twips, const QFont &font, const QColor &fill,
                        const QColor &text, std::function<void()> judge);
    enum class Esito { Nessuno, Errato, Esatto };
    // The common check: Enter on an empty box answers 0 where 0 is due and is
    // ignored otherwise; a wrong answer is marked and the box keeps the focus.
    Esito giudica(DigitBox *box, int atteso);
    // Opens box for the step just set and gives it the focus; a screen reader
    // reads it with its place, the exercise and what the step asks.
    void apri(DigitBox *box);

    // A line of the layout, 3 wide, end points in twips.
    Line *addLine(const QString &name, QPoint from, QPoint to, const QColor &colour);

    // Shows the instruction of a new step, then reads the step aloud: a
    // window calls it once what the step asks is set, so the question read
    // is the new step's.
    void mostra(const char *istruzione);
    void mostraTesto(const QString &istruzione);
    // The exercise solved: its product in the line, counted and greeted, and
    // "avanti" takes the focus. Nothing is read aloud until the next one.
    void concludi(const QString &prodotto);

    // On the first step the exercise, then the instruction shown and what
    // the step asks; nothing once the exercise is solved.
    QString spokenExercise() const override;
    // The exercise as read aloud ("Moltiplica 47 per 3.").
    QString esercizioDetto() const;
    // What the step asks of a column ("Quanto fa 7 per 4?"); empty when it
    // asks no number the child can work out from digits shown.
    virtual QString domanda() const;
    // A digit times a factor, plus the carry the column takes (none at 0).
    static QString domandaProdotto(int cifra, int fattore, int cambio);
    // The sum of the addends plus the carry; a lone number asks nothing.
    static QString domandaSomma(const QList<int> &addendi, int cambio);

    void afterLoad() override;
    // Activation shows the wrong count again and a new exercise; "avanti"
    // disables itself and draws the next one.
    void afterActivate() override;
    void avantiPressed() override;

    int cifreDaTrascinare_ = 0;
    int secondoFattoreDaTrascinare_ = 0;
    int valoreCambio_ = 0;
    Moltiplicazione esercizio_;   // the exercise shown
    int cifrePrimo_ = 0;          // digits the first factor shows
    bool concluso_ = false;

private:
    void mettiCifra(QLabel *casella, DragLabel *fonte, QWidget *trascinata);

    DropTargets *drops_;
    std::vector<QWidget *> named_;   // controls whose accessible name is their tip
};

// Fill and text colours of a box, kept when it is disabled.
void colora(QWidget *control, const QColor &fill, const QColor &text);
// A label as a box: a single border, centred text, its colours.
void incornicia(QLabel *label, const QFont &font, const QColor &fill, const QColor &text);
// The thousands separator of the language of the moment: the language, not
// the system, decides it, so that a number reads the same wherever a window
// writes it.
QString separatoreMigliaia();
// n with separatoreMigliaia() between groups of three digits: 5382 is "5.382"
// in a language whose separator is a point.
QString conMigliaia(int n);
