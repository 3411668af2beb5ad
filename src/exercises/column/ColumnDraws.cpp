#include "exercises/column/ColumnDraws.h"

#include "platform/ProgramState.h"

#include <array>

namespace {

// The second factor by a draw of 1 to 24: small factors come up more often.
constexpr std::array<int, 24> kSecondoFattore = {2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2,
                                                 3, 4, 2, 3, 4, 2, 3, 4, 2, 3, 2, 3};

// A digit from one of three ranges picked at random, then lowered until its
// product with the second factor stays below 10. ranges are the draw sizes;
// offset is added to the draw.
int cifraSenzaCambio(std::array<int, 3> ranges, int offset, int secondoFattore)
{
    const int s = randomBelow(3);
    int cifra = randomBelow(ranges[static_cast<std::size_t>(s)]) + offset;
    while (cifra * secondoFattore > 9)
        --cifra;
    return cifra;
}

void scomponi(int n, Moltiplicazione &m)
{
    m.centinaia = n / 100;
    m.decine = n / 10 % 10;
    m.unita = n % 10;
}

} // namespace

Moltiplicazione estraiSenzaCambio(bool conCentinaia)
{
    Moltiplicazione m;
    m.secondoFattore = kSecondoFattore[static_cast<std::size_t>(randomBelow(24))];
    m.unita = cifraSenzaCambio({10, 5, 3}, 0, m.secondoFattore);
    m.decine = cifraSenzaCambio({8, 4, 2}, 1, m.secondoFattore);
    if (conCentinaia)
        m.centinaia = cifraSenzaCambio({9, 5, 3}, 0, m.secondoFattore);
    return m;
}

Moltiplicazione estraiDueCifreConCambio()
{
    Moltiplicazione m;
    const int n = randomBelow(90) + 10;
    m.secondoFattore = randomBelow(5) + 1;
    scomponi(n, m);
    return m;
}

Moltiplicazione estraiTreCifreConCambio()
{
    Moltiplicazione m;
    int n = randomBelow(400) + 1;
    m.secondoFattore = randomBelow(5) + 1;
    while (n * m.secondoFattore > 999)
        n -= 100;
    scomponi(n, m);
    return m;
}

Moltiplicazione estraiTreCifrePerDue()
{
    Moltiplicazione m;
    int n = randomBelow(300) + 100;
    m.secondoFattore = randomBelow(5) + 1;
    while (n * m.secondoFattore > 999)
        n -= 100;
    m.secondoDecine = randomBelow(5) + 1;
    while (n * m.secondoDecine > 999) {
        if (randomBelow(2) == 1)
            n -= 100;
        else
            --m.secondoDecine;
    }
    scomponi(n, m);
    return m;
}

Moltiplicazione estraiReticolo()
{
    Moltiplicazione m;
    m.secondoFattore = randomBelow(9) + 1;
    m.secondoDecine = randomBelow(9) + 1;
    m.centinaia = randomBelow(9) + 1;
    m.decine = randomBelow(10);
    m.unita = randomBelow(10);
    return m;
}
