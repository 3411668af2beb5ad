#pragma once

#include "frame/ExerciseForm.h"

class DigitBox;
class QFrame;
class TavolaPitagorica;

// Completing the multiplication table: the first row and column show 1 to
// 10, and the child fills the other 81 cells one highlighted cell at a time,
// the first 60 in random order and the last 21 in table order.
//
// The table is painted by one widget; the child types in one answer box,
// Text1, laid over the highlighted cell and moved on to the next cell once
// the answer is right.
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

    // What the table shows in cell k: its number (empty while it waits,
    // and for the highlighted cell, whose digits are in Text1), its face
    // and the ink of its number.
    QString testoCella(int cella) const;
    QColor coloreCella(int cella) const;
    QColor inchiostroCella(int cella) const;
    // Where cell k lies in Picture1; empty before the activation.
    QRect rettangoloCella(int cella) const;

    static constexpr int kCelle = 100;
    static constexpr int kDaRiempire = 81;
    static constexpr int kCasuali = 60;
    // Redraws of a random cell before the lowest empty one is taken.
    static constexpr int kMaxEstrazioni = 1000;
    static const QColor kAttesa;
    static const QColor kRiempita;
    static const QColor kIntestazione;

    // The table, painted cell by cell.
    QFrame *Picture1;
    // The answer box of the highlighted cell. Before the activation it is
    // the layout's template of a cell, at the table's top-left corner.
    DigitBox *Text1;

protected:
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    // The highlighted cell, asked as its product.
    QString spokenExercise() const override;

private:
    void scriviIntestazioni();
    int primaVuota() const;

    TavolaPitagorica *tavola_;
    QString prodotto_;   // what a screen reader calls a cell, %1 times %2
    int celleProposte_ = 0;
    int cellaCorrente_ = 0;
};
