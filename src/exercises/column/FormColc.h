#pragma once

#include "exercises/column/ColumnBase.h"

#include <array>

class QAction;

// Column multiplication, three digits by two: the partial product by the
// units digit, the partial product by the tens digit, then their column sum,
// each column typed on its own and every carry moved on top of the next
// column, by hand or by the window (menu "Opzioni").
class FormColc : public ColumnBase {
    Q_OBJECT
public:
    FormColc();

    void NuovoEsercizio() override;
    void Controlla1() override;
    void Controlla2() override;

    // The carries, in the order they can arise: first row units and tens,
    // second row tens and hundreds, totals of the units, tens and hundreds.
    void PrimoCambio();
    void SecondoCambio();
    void TerzoCambio();
    void QuartoCambio();
    void QuintoCambio();
    void SestoCambio();
    void SettimoCambio();
    void Finito();

    bool cambiAutomatici() const;

    QLabel *Eh1;
    QLabel *Eda1;
    QLabel *Eu1;
    QLabel *Eda2;
    QLabel *Eu2;
    QLabel *PerU;
    QLabel *perDa;
    // The answer boxes in the order they are worked.
    enum Casella { Eur, Edar, Ehr, Eur1, Edar1, Ehr1, Ekr1, TotU, TotDa, TotH, TotK, kCaselle };
    std::array<DigitBox *, kCaselle> caselle{};
    // Departure and arrival of each carry, in the order of the routines.
    std::array<DragLabel *, 7> partenze{};
    std::array<QLabel *, 7> arrivi{};
    QAction *mnuMano;
    QAction *mnuAuto;

protected:
    QString domanda() const override;

private:
    void inviata(int casella);
    void cambio(int routine);
    void evidenzia(int passo);

    std::array<int, kCaselle> attesi_{};   // what each box expects
    int passo_ = -1;                        // the step being typed; -1 when none
    int secondoUnita_ = 0;
    int secondoDecine_ = 0;
};
