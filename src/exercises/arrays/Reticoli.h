#pragma once

#include "frame/ExerciseForm.h"

#include <functional>

class DigitBox;
class Lattice;
class QLabel;
class QPushButton;

// Dot lattices: the child draws vertical and horizontal lines until the dots
// at their crossings are as many as the product, then writes the product.
// The first factor comes only from the ticked terms.
class Reticoli : public ExerciseForm {
    Q_OBJECT
public:
    Reticoli();

    void NuovoEsercizio() override;
    void Controlla();

    struct Fattori {
        int primoFattore;
        int secondoFattore;
        bool operator==(const Fattori &) const = default;
    };
    // The draws of one exercise; termTicked tells which first factors the
    // child chose.
    static Fattori estraiFattori(const std::function<bool(int)> &termTicked);

    int punti() const { return punti_; }
    const Fattori &fattori() const { return fattori_; }

    Lattice *reticolo;
    QPushButton *BottoneV;
    QPushButton *BottoneO;
    QPushButton *Command3D1;
    QLabel *etic;
    DigitBox *Text1;
    QLabel *Label3;

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    // While lines are drawn: the product, the lines it takes and the
    // instruction; once the dots are all there, the instruction alone.
    QString spokenExercise() const override;
    // The box asks for the product at every step.
    QString questionFor(const QWidget *answer) const override;

private:
    void ricomincia();
    void lineaVerticale();
    void lineaOrizzontale();

    Fattori fattori_{1, 1};
    int punti_ = 0;
    bool puntiCompleti_ = false;   // the card asks for the result
};
