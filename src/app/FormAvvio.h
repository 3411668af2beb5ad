#pragma once

#include "frame/FormBase.h"

class QLabel;
class QPushButton;

// The splash window: the program's name and "Avvio", which opens the main menu.
class FormAvvio : public FormBase {
    Q_OBJECT
public:
    FormAvvio();

    QPushButton *Command1;

protected:
    void beforeLocalise() override;
    void afterLoad() override;
};
