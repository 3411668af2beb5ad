#pragma once

#include "frame/ExerciseForm.h"

#include <array>
#include <vector>

class DigitBox;
class DiscGrid;
class QFrame;
class QLabel;
class QPushButton;

// The places of a place-value array.
enum class Posto { Unita, Decine, Centinaia };

// The string ids of a window's three instructions.
struct StringIds {
    const char *inizio;      // shown while the array is being built
    const char *cambio;      // the count matches, a place still holds ten or more
    const char *risultato;   // write the result
};

// The array windows share this base: keypads that add rows of discs, the
// regrouping buttons that trade ten discs of one place for one of the next,
// the place counts, the checks Controlla, ControllaSeCambio and
// MettiIlRisultato, "Ricomincia" and the answer check. A window supplies its
// configuration and its draws.
//
// The array's count is 100 x ContaCentinaia + 10 x ContaDecine + ContaUnita:
// what the child asked for with the keypads, whatever the shape of the array.
class ArrayForm : public ExerciseForm {
    Q_OBJECT
public:
    struct Fattori {
        int primoFattore;
        int secondoFattore;
        bool operator==(const Fattori &) const = default;
    };

    void NuovoEsercizio() override;
    void Controlla();
    void ControllaSeCambio();
    void MettiIlRisultato();

    int primoFattore() const { return fattori_.primoFattore; }
    int secondoFattore() const { return fattori_.secondoFattore; }
    // ContaUnita, ContaDecine, ContaCentinaia.
    int conta(Posto posto) const { return conta_[at(posto)]; }
    // RigheUnita, RigheDecine, RigheCentinaia.
    int righe(Posto posto) const { return righe_[at(posto)]; }

    // The discs of a place (null when the window has none) and the keypad
    // that adds rows of them (empty when it has none).
    DiscGrid *dischi(Posto posto) const { return dischi_[at(posto)]; }
    const std::vector<QPushButton *> &tastiera(Posto posto) const { return tastiere_[at(posto)]; }

    QLabel *EtichettaNumero;
    DigitBox *Text1;
    QLabel *Label3;
    QPushButton *Command3D1;             // "Ricomincia"
    QPushButton *Command3D2 = nullptr;   // "Cambio", units to tens
    QPushButton *Command3D3 = nullptr;   // "Cambio", tens to hundreds

protected:
    // What tells the array windows apart.
    struct Configurazione {
        // Places with a keypad, from the units up: 1 (units), 2 or 3.
        int tastiere;
        // Whether hundreds discs are shown (by keypad or by regrouping).
        bool dischiCentinaia;
        // Regrouping buttons, from the units up: 0, 1 or 2. With none, a
        // matching count asks for the result at once.
        int cambi;
        StringIds istruzioni;
        // Activation writes the wrong count again, sign-spaced.
        bool erratiAllAttivazione = false;
        // The first factor is the number of rows (each as long as the
        // second); else the second is, each row as long as the first.
        bool righeDalPrimo = false;
    };

    ArrayForm(const QString &name, const Configurazione &configurazione);

    // The window's draws, in their order.
    virtual Fattori estrai() = 0;

    // Shared draws of the windows whose products need no regrouping: a
    // second factor 0 to 9 weighted towards 2, 3 and 4; a digit drawn from
    // one of three ranges, lowered until its product with the second factor
    // has one digit.
    static int secondoFattorePesato();
    static int cifraSenzaCambio(int secondoFattore, const std::array<int, 3> &ranges, int lowest);

    void afterLoad() override;
    void afterActivate() override;
    void answerEntered(DigitBox *box, double value) override;
    void avantiPressed() override;
    // While the array is built: the product, its rows and the instruction;
    // at a later step the instruction alone.
    QString spokenExercise() const override;
    // The box asks for the product at every step.
    QString questionFor(const QWidget *answer) const override;

private:
    // The step the instruction card is at.
    enum class Passo { Costruisci, Cambio, Risultato };

    static std::size_t at(Posto posto) { return static_cast<std::size_t>(posto); }

    void aggiungiRiga(Posto posto, int k);
    void cambia(Posto posto);
    void svuota();
    void ricomincia();
    int prodotto() const { return fattori_.primoFattore * fattori_.secondoFattore; }
    void mostraIstruzione(Passo passo);
    // Shows the instruction of a step, and reads it when the step is new.
    void passaA(Passo passo);

    Configurazione config_;
    Fattori fattori_{1, 1};
    Passo passo_ = Passo::Costruisci;
    std::array<int, 3> conta_{};
    std::array<int, 3> righe_{};
    std::array<DiscGrid *, 3> dischi_{};
    std::array<std::vector<QPushButton *>, 3> tastiere_;
    std::array<QFrame *, 3> cornici_{};
};
