#include "exercises/arrays/Formdau.h"

#include "platform/ProgramState.h"

Formdau::Formdau()
    : ArrayForm(QStringLiteral("Formdau"),
                {.tastiere = 2, .dischiCentinaia = true, .cambi = 2, .istruzioni = StringIds{"0011", "0012", "0013"}})
{
}

ArrayForm::Fattori Formdau::estraiFattori()
{
    const int decine = randomBelow(8);
    const int primo = 10 * decine + randomBelow(9) + 1;
    return {primo, randomBelow(9) + 1};
}
