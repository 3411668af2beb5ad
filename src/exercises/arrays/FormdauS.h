#pragma once

#include "exercises/arrays/ArrayForm.h"

// Tens and units arrays whose products need no regrouping.
class FormdauS : public ArrayForm {
    Q_OBJECT
public:
    FormdauS();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
