#pragma once

#include "exercises/column/ColumnForm.h"

// Column multiplication: Two digits by one digit, no column reaching 10.
class FormCol1 : public ColumnForm {
    Q_OBJECT
public:
    FormCol1();
};
