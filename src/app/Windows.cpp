#include "app/Windows.h"

#include "app/FormAvvio.h"
#include "app/Menus.h"
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
    std::map<QString, std::function<FormBase *()>> windows = {
        {QStringLiteral("FormAvvio"), make<FormAvvio>()},
        {QStringLiteral("FormMenu"), make<FormMenu>()},
        {QStringLiteral("FormMenuGrafici"), make<FormMenuGrafici>()},
        {QStringLiteral("FormMenuNumeri"), make<FormMenuNumeri>()},
        {QStringLiteral("Form1"), make<Form1>()},
        {QStringLiteral("Form2"), make<Form2>()},
        {QStringLiteral("FormEserci"), make<FormEserci>()},
        {QStringLiteral("FormEsercizi"), make<FormEsercizi>()},
        {QStringLiteral("FormEsercizi2"), make<FormEsercizi2>()},
        {QStringLiteral("FormEserc1"), make<FormEserc1>()},
        {QStringLiteral("FormEserc2"), make<FormEserc2>()},
    };
    static const char *const notBuiltYet[] = {
        "Reticoli", "Formu",    "FormdauS", "formdau99", "Formdau",  "FormhdauS", "Formhdau",
        "FormCol1", "FormCola", "FormCol2", "Formcolb",  "FormColc", "Formreti",
    };
    for (const char *name : notBuiltYet)
        windows.emplace(QString::fromLatin1(name), nullptr);
    return windows;
}
