#pragma once

#include <QString>

// What the array windows and the dot lattice read aloud, put together from
// the templates of the language file so that each language words it its own
// way.
namespace LetturaCostruzione {

// The product to build, how the window builds it, then the instruction
// card: "Costruisci 23 per 4: 4 file da 23. <card>".
QString costruisci(int primo, int secondo, const QString &come, const QString &istruzione);

// n of something: the template idUno for exactly one, idMolti for any other
// count (none included); %1 is n, %2 is detail.
QString quanti(int n, const char *idUno, const char *idMolti, const QString &detail = {});

} // namespace LetturaCostruzione
