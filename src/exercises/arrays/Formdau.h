#pragma once

#include "exercises/arrays/ArrayForm.h"

// Tens and units arrays with products up to 711, traded up to hundreds.
class Formdau : public ArrayForm {
    Q_OBJECT
public:
    Formdau();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
