#pragma once

#include "exercises/column/ColumnForm.h"

// Column multiplication: Two digits by one digit, with carries.
class FormCol2 : public ColumnForm {
    Q_OBJECT
public:
    FormCol2();
};
