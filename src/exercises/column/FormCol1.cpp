#include "exercises/column/FormCol1.h"

namespace {

// The instructions are string ids, each shown through MLSGetString when its
// step begins.
const ColumnSetup kSetup = {2, false, false, true, [] { return estraiSenzaCambio(false); },
    {"0028", "0029", "0030", "0027", nullptr, nullptr, nullptr, nullptr, nullptr}};

} // namespace

FormCol1::FormCol1() : ColumnForm(QStringLiteral("FormCol1"), kSetup) {}
