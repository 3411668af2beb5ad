#include "exercises/arrays/FormdauS.h"

FormdauS::FormdauS()
    : ArrayForm(QStringLiteral("FormdauS"),
                {.tastiere = 2, .dischiCentinaia = false, .cambi = 0, .istruzioni = StringIds{"0020", nullptr, "0021"}})
{
}

ArrayForm::Fattori FormdauS::estraiFattori()
{
    const int secondo = secondoFattorePesato();
    const int unita = cifraSenzaCambio(secondo, {10, 5, 3}, 0);
    const int decine = cifraSenzaCambio(secondo, {8, 4, 2}, 1);
    return {10 * decine + unita, secondo};
}
