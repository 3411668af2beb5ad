#pragma once

#include "exercises/column/ColumnForm.h"

// Column multiplication: Three digits by one digit, no column reaching 10.
class FormCola : public ColumnForm {
    Q_OBJECT
public:
    FormCola();
};
