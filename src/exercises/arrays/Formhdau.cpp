#include "exercises/arrays/Formhdau.h"

#include "platform/ProgramState.h"

Formhdau::Formhdau()
    : ArrayForm(QStringLiteral("Formhdau"),
                {.tastiere = 3, .dischiCentinaia = true, .cambi = 2, .istruzioni = StringIds{"0017", "0018", "0019"}})
{
}

ArrayForm::Fattori Formhdau::estraiFattori()
{
    const int centinaia = randomBelow(5);
    const int decine = randomBelow(8);
    const int primo = 100 * centinaia + 10 * decine + randomBelow(9) + 1;
    int secondo = randomBelow(9) + 1;
    while (primo * secondo > 999)
        --secondo;
    return {primo, secondo};
}
