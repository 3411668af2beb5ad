#include "exercises/arrays/Formu.h"

#include "platform/ProgramState.h"

Formu::Formu()
    : ArrayForm(QStringLiteral("Formu"), {.tastiere = 1,
                                          .dischiCentinaia = false,
                                          .cambi = 1,
                                          .istruzioni = StringIds{"0014", "0015", "0016"},
                                          .erratiAllAttivazione = true,
                                          .righeDalPrimo = true})
{
}

ArrayForm::Fattori Formu::estraiFattori()
{
    const int primo = randomBelow(9) + 1;
    return {primo, randomBelow(9) + 1};
}
