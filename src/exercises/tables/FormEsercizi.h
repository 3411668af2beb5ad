#pragma once

#include "frame/ExerciseForm.h"

#include <array>
#include <functional>

class QLabel;
class QPushButton;

// Memorising the tables on a board of the numbers 0 to 99: the window poses
// one fact (7 x 6 =) and the child clicks the button of the product. The two
// windows FormEsercizi and FormEsercizi2 differ only in how the multiples of
// the table come up on the board (afterDraw() and the help button).
class NumberBoardForm : public ExerciseForm {
    Q_OBJECT
public:
    static constexpr int kButtons = 100;
    static constexpr int kLastTable = 10;

    // The colours a board button can take.
    enum class Colore { Grigio, Giallo, Arancio, Verde, Rosso };
    // Its value, stored 00BBGGRR.
    static unsigned bgrOf(Colore colore);

    struct Fatto {
        int primoFattore;
        int secondoFattore;
    };
    // The draws of one exercise, in their order; tableTicked tells which
    // tables the child chose.
    static Fatto estrai(const std::function<bool(int)> &tableTicked);

    void NuovoEsercizio() override;
    // Judges the click on Numero(i).
    void NumeroClick(int i);

    Colore colore(int i) const { return colori_[static_cast<std::size_t>(i)]; }
    int primoFattore() const { return fatto_.primoFattore; }
    int secondoFattore() const { return fatto_.secondoFattore; }

    QLabel *EtichettaNumero;
    std::array<QPushButton *, kButtons> Numero{};

protected:
    NumberBoardForm(const QString &name, const QString &homeMenu);

    // Runs once the factors are drawn, before the exercise is written.
    virtual void afterDraw() {}
    // Colours the multiples of the current table up to limit (and never past
    // the board), with 0 light orange unless the table is 0.
    void coloraMultipli(int limit);

    void afterLoad() override;
    void avantiPressed() override;
    QString spokenExercise() const override;

private:
    void colora(int i, Colore colore);

    Fatto fatto_{};
    std::array<Colore, kButtons> colori_{};
};

// The board opened from the graphic-support menu: every new exercise shows
// the multiples of its table, from 0 to ten times the table.
class FormEsercizi : public NumberBoardForm {
    Q_OBJECT
public:
    FormEsercizi();

protected:
    void afterDraw() override;
};

// The board opened from the numbers-only menu: the multiples show only when
// the child asks the lamp, all of them up to 99.
class FormEsercizi2 : public NumberBoardForm {
    Q_OBJECT
public:
    FormEsercizi2();

    QPushButton *Command1;
};
