#include "exercises/column/Formcolb.h"

namespace {

// The instructions are string ids, each shown through MLSGetString when its
// step begins.
const ColumnSetup kSetup = {3, true, true, false, estraiTreCifreConCambio,
    {"0061", "0062", "0063", "0060", "0058", "0059", "0056", "0057", "0055"}};

} // namespace

Formcolb::Formcolb() : ColumnForm(QStringLiteral("Formcolb"), kSetup) {}
