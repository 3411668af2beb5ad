#include "exercises/column/FormCol2.h"

namespace {

// The instructions are string ids, each shown through MLSGetString when its
// step begins.
const ColumnSetup kSetup = {3, false, true, false, estraiDueCifreConCambio,
    {"0041", "0042", "0043", "0040", nullptr, "0039", "0037", "0038", "0036"}};

} // namespace

FormCol2::FormCol2() : ColumnForm(QStringLiteral("FormCol2"), kSetup) {}
