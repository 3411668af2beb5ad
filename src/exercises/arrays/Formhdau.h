#pragma once

#include "exercises/arrays/ArrayForm.h"

// Hundreds, tens and units arrays with products up to 999 and both regroupings.
class Formhdau : public ArrayForm {
    Q_OBJECT
public:
    Formhdau();
    // The draws of one exercise, in their order.
    static Fattori estraiFattori();

protected:
    Fattori estrai() override { return estraiFattori(); }
};
