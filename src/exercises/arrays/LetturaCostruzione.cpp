#include "exercises/arrays/LetturaCostruzione.h"

#include "frame/Accessibility.h"
#include "lang/Language.h"

namespace LetturaCostruzione {

QString costruisci(int primo, int secondo, const QString &come, const QString &istruzione)
{
    const QString prodotto =
        fillWord(MLSGetString(QStringLiteral("0315")), QString::number(primo), QString::number(secondo));
    const QString frase = fillWord(MLSGetString(QStringLiteral("0316")), prodotto, come);
    return fillWord(MLSGetString(QStringLiteral("0317")), frase, istruzione);
}

QString quanti(int n, const char *idUno, const char *idMolti, const QString &detail)
{
    return fillWord(MLSGetString(QString::fromLatin1(n == 1 ? idUno : idMolti)), QString::number(n), detail);
}

} // namespace LetturaCostruzione
