#include "exercises/column/FormCola.h"

namespace {

// The instructions are string ids, each shown through MLSGetString when its
// step begins.
const ColumnSetup kSetup = {3, true, false, false, [] { return estraiSenzaCambio(true); },
    {"0033", "0034", "0035", "0032", "0031", nullptr, nullptr, nullptr, nullptr}};

} // namespace

FormCola::FormCola() : ColumnForm(QStringLiteral("FormCola"), kSetup) {}
