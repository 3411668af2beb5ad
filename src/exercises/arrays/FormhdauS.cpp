#include "exercises/arrays/FormhdauS.h"

FormhdauS::FormhdauS()
    : ArrayForm(QStringLiteral("FormhdauS"),
                {.tastiere = 3, .dischiCentinaia = true, .cambi = 0, .istruzioni = StringIds{"0025", nullptr, "0026"}})
{
}

ArrayForm::Fattori FormhdauS::estraiFattori()
{
    const int secondo = secondoFattorePesato();
    const int unita = cifraSenzaCambio(secondo, {10, 5, 3}, 0);
    const int decine = cifraSenzaCambio(secondo, {8, 4, 2}, 1);
    const int centinaia = cifraSenzaCambio(secondo, {9, 5, 3}, 0);
    return {100 * centinaia + 10 * decine + unita, secondo};
}
