#pragma once

#include "exercises/column/ColumnForm.h"

// Column multiplication: Three digits by one digit, with carries.
class Formcolb : public ColumnForm {
    Q_OBJECT
public:
    Formcolb();
};
