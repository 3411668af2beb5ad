#pragma once

#include "exercises/pictures/CatalogoFigure.h"
#include "frame/ExerciseForm.h"

class PictureBox;
class QLabel;

// What the two picture windows share: a problem of the picture catalogue
// shown as its picture, its subject word, its object word and its text, and
// the draw of the group among the ticked terms.
class PictureProblemForm : public ExerciseForm {
    Q_OBJECT
public:
    PictureProblemForm(const QString &name, QRect picture, QRect subject, QRect object, QRect text);

    // Picks an entry of group n with one draw and shows it. A picture that
    // cannot be read leaves a neutral panel; the problem is asked all the same.
    CatalogoFigure::Voce ScegliProblema(int n);

    int NumeroOggetti() const { return numeroOggetti_; }

    PictureBox *Image1;
    QLabel *EtSoggetto;
    QLabel *EtOggetto;
    QLabel *Label4;

    // A generator that keeps missing the ticked terms gives way, after far
    // more draws than a fair one ever needs, to the lowest ticked term
    // instead of freezing the window.
    static constexpr int kMaxEstrazioni = 1000;

protected:
    void beforeLocalise() override;

    // Draws NumeroOggetti again (1 to 10) until its term box is ticked,
    // starting from the value given.
    int ridisegnaFinoATermine(int numero);

    void avantiPressed() override;

    // n subjects as read aloud, named by the subject word on show: "4 galli".
    QString contaSoggetti(int n) const;

    int numeroOggetti_ = 1;
};
