#pragma once

#include "exercises/arrays/ArrayForm.h"

// Simple arrays: one-digit factors, rows of unit discs, ten units traded for a ten.
class Formu : public ArrayForm {
    Q_OBJECT
public:
    Formu();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
