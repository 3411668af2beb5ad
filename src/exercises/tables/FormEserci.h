#pragma once

#include "frame/ExerciseForm.h"

class DigitBox;
class QAction;
class QLabel;

// Memorising the tables: one fact at a time, find the product (7 x 6 = ?)
// or a factor (7 x ? = 42), among the tables ticked in the choose-terms frame.
class FormEserci : public ExerciseForm {
    Q_OBJECT
public:
    FormEserci();

    void NuovoEsercizio() override;

    enum class Tipo { Prodotto, Fattore };
    void scegliTipo(Tipo tipo);
    Tipo tipo() const;

    // The drawn exercise.
    struct Fatto {
        int primoFattore;
        int secondoFattore;
    };
    // The draws of one exercise, in their order; tableTicked tells which
    // tables the child chose.
    static Fatto estrai(Tipo tipo, const std::function<bool(int)> &tableTicked);

    QLabel *EtichettaNumero[2];
    DigitBox *Text1;
    QAction *MenuProdotto;
    QAction *MenuFattore;

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    QString spokenExercise() const override;

private:
    Fatto fatto_{};
    int soluzione_ = 0;
};
