#pragma once

#include "frame/ExerciseForm.h"

#include <array>
#include <functional>

class DigitBox;
class Line;
class QFrame;
class QLabel;
class Shape;

// Counting by a number n: the child writes n, 2n, ... 10n in ten boxes, one
// after the other, while a ten-by-ten table of cells fills up n cells for
// each right answer, so every multiple is seen as a quantity before it is
// written. n is drawn among the terms ticked in the choose-terms frame.
class Form1 : public ExerciseForm {
    Q_OBJECT
public:
    Form1();

    void NuovoEsercizio() override;

    // The draw of Passo: 1 to 10, drawn again until termTicked accepts it.
    // At least one of 1 to 10 must be accepted. A generator that keeps
    // missing them gives way, after far more draws than a fair one ever
    // needs, to the lowest accepted term instead of freezing the window.
    static int estraiPasso(const std::function<bool(int)> &termTicked);
    static constexpr int kMaxEstrazioni = 1000;

    int Passo() const { return passo_; }

    static constexpr int kCelle = 100;
    static constexpr int kCaselle = 10;

    QFrame *Picture1;
    // Shape1[0] is the layout's template; the other cells exist from the
    // activation on. Cell k stands in column k / 10, row k % 10.
    std::array<Shape *, kCelle> Shape1{};
    Line *Line3;
    Line *Line4;
    // Indexed like the control array, 1 to 10; box k asks for k x Passo.
    std::array<DigitBox *, kCaselle + 1> Text1{};
    QLabel *Label3;

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    void avantiPressed() override;
    // The box being asked: the number after the one before it.
    QString spokenExercise() const override;
    // Each box asks for the number after the one before it, once it is
    // reached: a box further on would tell the answers before it.
    QString questionFor(const QWidget *answer) const override;

private:
    void mostraCelle(int first, int count);
    QString domanda(int casella) const;

    int passo_ = 1;
    int casella_ = 1;   // the box being asked
};
