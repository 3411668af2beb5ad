#pragma once

#include "exercises/column/ColumnBase.h"

#include <array>

class Shape;

// Grid (lattice) multiplication, three digits by two: each cell of the grid
// takes the product of its column digit and its row digit, tens above the
// diagonal and units below; then the diagonal strips are added from the
// bottom right, the window carrying into the next strip.
class Formreti : public ColumnBase {
    Q_OBJECT
public:
    Formreti();

    void NuovoEsercizio() override;
    void Controlla1() override;
    void Controlla2() override;

    // The next cell box after a right answer; the strips once all are right.
    void VaiAvanti();
    void Risultati();
    void alleDecine();
    void alleCentinaia();
    void alleMigliaia();
    void alleDecineMigliaia();
    void Finito();

    QLabel *Eh1;
    QLabel *Eda1;
    QLabel *Eu1;
    QLabel *Eda2;
    QLabel *Eu2;
    std::array<DigitBox *, 12> Text1{};
    std::array<Shape *, 6> Shape1{};
    std::array<QLabel *, 3> Cambio{};   // Cambio1 to Cambio3
    // The result boxes, units first: ru, rda, rh, ruk, rdak.
    std::array<DigitBox *, 5> risultati{};
    QLabel *Label4;   // between the thousands and the hundreds of the result


protected:
    void afterLoad() override;
    // This window leaves the wrong count as it is when activated.
    void afterActivate() override;
    // The cells share one instruction: after the first, a new cell is read
    // as its question alone.
    QString spokenExercise() const override;
    QString domanda() const override;

private:
    void cellaInviata(int i);
    void strisciaInviata(int striscia);
    void alla(int striscia);
    void tingi(int cella, const QColor &colour);

    std::array<int, 12> celle_{};
    int cellaCorrente_ = 0;
    int striscia_ = -1;          // the strip being added; -1 when none
    QString messaggioCambio_;
};
