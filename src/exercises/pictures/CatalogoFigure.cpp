#include "exercises/pictures/CatalogoFigure.h"

#include <array>
#include <vector>

namespace CatalogoFigure {
namespace {

struct Gruppo {
    int primoId;
    std::vector<const char *> figure;
};

// The catalogue, group n at index n - 1. Names are used exactly as written:
// the file system tells "Gallo.jpg" from "gallo.jpg".
const std::array<Gruppo, 10> &gruppi()
{
    static const std::array<Gruppo, 10> tabella = {{
        {92, {"strega", "Gallo", "berretto", "elefante", "anello", "camino", "casa", "casa"}},
        {122, {"Fiore", "Gallo", "ape", "rose", "OCCHIALI", "OCCHIALI", "cammello", "bersaglio", "bicicletta",
               "birilli", "calze", "casa"}},
        {158, {"edera", "olive", "tenda", "semaforo", "nido", "fragole", "arco", "ciliegie", "tromba", "fagioli"}},
        {188, {"Cane", "pattino", "capra", "mulino", "bottone", "farfalla", "elica", "famiglia"}},
        {215, {"Fiore", "mano", "stella", "giglio", "medusa", "corona"}},
        {233, {"zanzara", "mosca", "rose", "giacca", "bruco", "giostra"}},
        {254, {"fata", "fungo", "aquilone", "scale"}},
        {266, {"ragno", "farfalla", "scala", "ruota", "xilofono"}},
        {281, {"palma", "torta"}},
        {116, {"mani", "catasta"}},
    }};
    return tabella;
}

QString stringId(int id)
{
    return QStringLiteral("%1").arg(id, 4, 10, QLatin1Char('0'));
}

} // namespace

int numeroVoci(int n)
{
    if (n < kPrimoGruppo || n > kUltimoGruppo)
        return 0;
    return static_cast<int>(gruppi()[static_cast<std::size_t>(n - 1)].figure.size());
}

Voce voce(int n, int k)
{
    if (k < 1 || k > numeroVoci(n))
        return {};
    const Gruppo &g = gruppi()[static_cast<std::size_t>(n - 1)];
    const int primo = g.primoId + 3 * (k - 1);
    return {QString::fromLatin1(g.figure[static_cast<std::size_t>(k - 1)]) + QStringLiteral(".jpg"),
            stringId(primo), stringId(primo + 1), stringId(primo + 2)};
}

} // namespace CatalogoFigure
