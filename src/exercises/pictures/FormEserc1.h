#pragma once

#include "exercises/pictures/PictureProblemForm.h"

class DigitBox;
class QLabel;

// Word problems with a picture: that many subjects, each with the same
// number of objects; the child types how many objects there are in all.
class FormEserc1 : public PictureProblemForm {
    Q_OBJECT
public:
    FormEserc1();

    void NuovoEsercizio() override;

    int NumeroSoggetti() const { return numeroSoggetti_; }

    QLabel *Label3;
    DigitBox *TestoInserito;

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    void avantiPressed() override;
    // The count of subjects, then the problem's text.
    QString spokenExercise() const override;

private:
    int numeroSoggetti_ = 1;
};
