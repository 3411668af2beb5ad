#pragma once

// The numbers of one column exercise: the first factor's digits and the
// second factor's. A first factor of one or two digits has leading zeros
// here; secondoFattore is the second factor's units digit.
struct Moltiplicazione {
    int centinaia = 0;
    int decine = 0;
    int unita = 0;
    int secondoDecine = 0;
    int secondoFattore = 0;
};

// The draws of one exercise, in their order, from the program's generator.
// Two or three digits by one digit with no column reaching 10: every digit is
// lowered until its column product is at most 9 (FormCol1, FormCola).
Moltiplicazione estraiSenzaCambio(bool conCentinaia);
// 10 to 99 by 1 to 5, carries allowed (FormCol2).
Moltiplicazione estraiDueCifreConCambio();
// 1 to 400 by 1 to 5, lowered by whole hundreds until the product is at most
// 999 (Formcolb).
Moltiplicazione estraiTreCifreConCambio();
// 100 to 399 by 11 to 55 with both partial products at most 999: the first
// factor is lowered by hundreds for the units digit of the second factor,
// then, for its tens digit, at random either the first factor by a hundred
// or that digit by one (FormColc).
Moltiplicazione estraiTreCifrePerDue();
// 100 to 999 by 11 to 99, no digit of the second factor 0: the units and
// tens of the second factor, then the hundreds, tens and units of the first,
// all uniform (Formreti).
Moltiplicazione estraiReticolo();
