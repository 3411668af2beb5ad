#pragma once

#include "exercises/arrays/ArrayForm.h"

// Hundreds, tens and units arrays whose products need no regrouping.
class FormhdauS : public ArrayForm {
    Q_OBJECT
public:
    FormhdauS();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
