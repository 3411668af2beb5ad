#include "app/Windows.h"

#include "app/FormAvvio.h"
#include "app/Menus.h"
#include "exercises/arrays/Formdau.h"
#include "exercises/arrays/formdau99.h"
#include "exercises/arrays/FormdauS.h"
#include "exercises/arrays/Formhdau.h"
#include "exercises/arrays/FormhdauS.h"
#include "exercises/arrays/Formu.h"
#include "exercises/arrays/Reticoli.h"
#include "exercises/column/FormCol1.h"
#include "exercises/column/FormCol2.h"
#include "exercises/column/FormCola.h"
#include "exercises/column/Formcolb.h"
#include "exercises/column/FormColc.h"
#include "exercises/column/Formreti.h"
#include "exercises/pictures/FormEserc1.h"
#include "exercises/pictures/FormEserc2.h"
#include "exercises/tables/Form1.h"
#include "exercises/tables/Form2.h"
#include "exercises/tables/FormEserci.h"
#include "exercises/tables/FormEsercizi.h"

namespace {

template <class W>
std::function<FormBase *()> make()
{
    return [] { return new W; };
}

} // namespace

std::map<QString, std::function<FormBase *()>> programWindows()
{
    return {
        {QStringLiteral("FormAvvio"), make<FormAvvio>()},
        {QStringLiteral("FormMenu"), make<FormMenu>()},
        {QStringLiteral("FormMenuGrafici"), make<FormMenuGrafici>()},
        {QStringLiteral("FormMenuNumeri"), make<FormMenuNumeri>()},
        {QStringLiteral("Form1"), make<Form1>()},
        {QStringLiteral("Form2"), make<Form2>()},
        {QStringLiteral("FormEserci"), make<FormEserci>()},
        {QStringLiteral("FormEsercizi"), make<FormEsercizi>()},
        {QStringLiteral("FormEsercizi2"), make<FormEsercizi2>()},
        {QStringLiteral("FormCol1"), make<FormCol1>()},
        {QStringLiteral("FormCola"), make<FormCola>()},
        {QStringLiteral("FormCol2"), make<FormCol2>()},
        {QStringLiteral("Formcolb"), make<Formcolb>()},
        {QStringLiteral("FormColc"), make<FormColc>()},
        {QStringLiteral("Formreti"), make<Formreti>()},
        {QStringLiteral("Formu"), make<Formu>()},
        {QStringLiteral("FormdauS"), make<FormdauS>()},
        {QStringLiteral("formdau99"), make<formdau99>()},
        {QStringLiteral("Formdau"), make<Formdau>()},
        {QStringLiteral("FormhdauS"), make<FormhdauS>()},
        {QStringLiteral("Formhdau"), make<Formhdau>()},
        {QStringLiteral("Reticoli"), make<Reticoli>()},
        {QStringLiteral("FormEserc1"), make<FormEserc1>()},
        {QStringLiteral("FormEserc2"), make<FormEserc2>()},
    };
}
