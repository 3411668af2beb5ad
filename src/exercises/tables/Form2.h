#pragma once

#include "frame/ExerciseForm.h"

#include <array>

class DigitBox;
class QFrame;

// Completing the multiplication table: the first row and column show 1 to
// 10, and the child fills the other 81 cells one highlighted cell at a time,
// the first 60 in random order and the last 21 in table order.
class Form2 : public ExerciseForm {
    Q_OBJECT
public:
    Form2();

    // A fresh table: every cell to fill emptied, the headers written, and
    // the first cell highlighted.
    void NuovoEsercizio() override;
    // Highlights the next cell to fill; at least one must be empty.
    void NuovaCella();

    // Cell k stands in column k / 10 and row k % 10.
    static int prodottoAtteso(int cella) { return (cella % 10 + 1) * (cella / 10 + 1); }
    static bool intestazione(int cella) { return cella < 10 || cella % 10 == 0; }

    int CelleProposte() const { return celleProposte_; }
    int CellaCorrente() const { return cellaCorrente_; }

    static constexpr int kCelle = 100;
    static constexpr int kDaRiempire = 81;
    static constexpr int kCasuali = 60;
    // Redraws of a random cell before the lowest empty one is taken.
    static constexpr int kMaxEstrazioni = 1000;
    static const QColor kAttesa;
    static const QColor kRiempita;
    static const QColor kIntestazione;

    QFrame *Picture1;
    // Text1[0] is the layout's template and the corner header; the other
    // cells exist from the activation on.
    std::array<DigitBox *, kCelle> Text1{};

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;

private:
    void scriviIntestazioni();
    int primaVuota() const;

    int celleProposte_ = 0;
    int cellaCorrente_ = 0;
};
