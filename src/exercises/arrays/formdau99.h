#pragma once

#include "exercises/arrays/ArrayForm.h"

// Tens and units arrays with products up to 99, units traded for tens.
class formdau99 : public ArrayForm {
    Q_OBJECT
public:
    formdau99();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
