#pragma once

#include "exercises/column/ColumnBase.h"

#include <array>

class Line;

// Which instruction the child reads at each step of a column exercise, as
// string ids; null where the window has no such step.
struct IstruzioniColonna {
    const char *primoFattore;      // new exercise: drag the first factor's digits
    const char *secondoFattore;    // first factor placed: drag the second factor
    const char *unita;             // second factor placed: type the units
    const char *decine;            // units right without carry: type the tens
    // Tens right without carry: type the hundreds. Null when the hundreds can
    // only hold a carry: the empty hundreds box is then judged at once.
    const char *centinaia;
    const char *spostaCambioU;     // units gave a carry: drag it
    const char *cambioUSpostato;   // units carry moved: type the tens
    const char *spostaCambioDa;    // tens gave a carry: drag it
    const char *cambioDaSpostato;  // tens carry moved: type the hundreds
};

// What sets one column window apart from its siblings.
struct ColumnSetup {
    int colonneRisultato;   // 2: tens and units; 3: hundreds too
    bool centinaia;         // the first factor may have a hundreds digit
    bool cambi;             // a column may carry into the next
    bool collegamenti;      // lines show which two digits to multiply
    Moltiplicazione (*estrai)();
    IstruzioniColonna istruzioni;
};

// Column multiplication by one digit. The child drags each digit of the
// exercise line into the box of its place, then types the product of each
// column from right to left; a column of 10 or more keeps its units and its
// carry is dragged on top of the next column, where it is added.
class ColumnForm : public ColumnBase {
    Q_OBJECT
public:
    ColumnForm(const QString &name, const ColumnSetup &setup);

    void NuovoEsercizio() override;
    void Controlla1() override;
    void Controlla2() override;

    QLabel *Eh1 = nullptr;
    QLabel *Eda1;
    QLabel *Eu1;
    QLabel *Eu2;
    DigitBox *Ehr = nullptr;
    DigitBox *Edar;
    DigitBox *Eur;
    DragLabel *CambioUp = nullptr;
    QLabel *CambioUa = nullptr;
    DragLabel *CambioDap = nullptr;
    QLabel *CambioDaa = nullptr;
    Line *Line6 = nullptr;
    Line *Line7 = nullptr;

protected:
    QString domanda() const override;

private:
    enum Posto { U, Da, H };

    void colonnaInviata(int colonna);
    void spostaCambio(int colonna);
    void apriColonna(int colonna);
    void completa();

    ColumnSetup setup_;
    std::array<DigitBox *, 3> risultato_{};
    std::array<DragLabel *, 2> partenza_{};
    std::array<QLabel *, 2> arrivo_{};
    std::array<int, 3> prodotto_{};   // what each result box expects, by place
    int colonna_ = -1;                // the place being typed; -1 when none
};
