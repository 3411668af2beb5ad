#include "lang/LastResort.h"

namespace {

struct Entry {
    QStringView key;
    QStringView text;
};

// The one place where the program holds words of its own. They are the last
// resort when no language file has them (every file missing, unreadable or
// lacking the key), and are worded as the shipped Italiano.lng words them,
// so that a box the child must answer is never blank. Every other text comes
// from the language files.
constexpr Entry kTexts[] = {
    {u"0001", u"Scegli almeno un termine!"},
    {u"0007", u"Quadrivel è già aperto."},
    {u"0008", u"Attenzione"},
    {u"0009", u"Vuoi tornare al menu?"},
    {u"0010", u"Vuoi chiudere Quadrivel?"},
    {u"0287", u"Non riesco a salvare la lingua scelta: né la cartella del programma né quella delle "
              u"impostazioni si possono scrivere. Alla prossima partenza tornerà la lingua di prima."},
    {u"0288", u"Non riesco a salvare la lingua scelta, perché il nome del suo file ha spazi all'inizio o "
              u"alla fine o lettere che non so scrivere. Alla prossima partenza tornerà la lingua di prima: "
              u"chiedi a un adulto di rinominare il file."},
    {u"Yes", u"Sì"},
    {u"No", u"No"},
    {u"OK", u"OK"},
    {u"NoLanguageFile", u"Non è presente alcun file di linguaggio!"},
    {u"NoLanguageItem", u"Nessun file di lingua"},
};

} // namespace

QString lastResortText(QStringView key)
{
    for (const Entry &e : kTexts) {
        if (e.key == key)
            return e.text.toString();
    }
    return {};
}
