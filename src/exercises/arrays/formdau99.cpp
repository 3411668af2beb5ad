#include "exercises/arrays/formdau99.h"

#include "platform/ProgramState.h"

formdau99::formdau99()
    : ArrayForm(QStringLiteral("formdau99"),
                {.tastiere = 2, .dischiCentinaia = false, .cambi = 1, .istruzioni = StringIds{"0022", "0023", "0024"}})
{
}

ArrayForm::Fattori formdau99::estraiFattori()
{
    const int decine = randomBelow(8);
    int primo = 10 * decine + randomBelow(9) + 1;
    int secondo = randomBelow(9) + 1;
    // Within the loop primo is at least 12 and secondo at least 2, so
    // neither falls below 1.
    while (primo * secondo > 99) {
        if (randomBelow(3) == 1)
            primo -= 10;
        else
            --secondo;
    }
    return {primo, secondo};
}
