#pragma once

#include "app/MenuForm.h"

#include <vector>

class QAction;
class QMenu;
class QPushButton;

// The main menu: the two exercise menus, the sounds box, "Esci" and the
// "Lingua" menu of language files.
class FormMenu : public MenuForm {
    Q_OBJECT
public:
    FormMenu();

    // Lists the language files of the program folder and marks the current one.
    void MLSFillMenuLanguages();
    // The language item i was chosen.
    void chooseLanguage(int i);

    const std::vector<QAction *> &languageItems() const { return mnuLanguage_; }

protected:
    void beforeLocalise() override;

private:
    QMenu *mnuLanguages_;
    std::vector<QAction *> mnuLanguage_;
};

// Exercises with graphic support: arrays, dot lattices, pictures, the 0-99 board.
class FormMenuGrafici : public MenuForm {
    Q_OBJECT
public:
    FormMenuGrafici();
};

// Exercises with numbers only: tables and column multiplication.
class FormMenuNumeri : public MenuForm {
    Q_OBJECT
public:
    FormMenuNumeri();
};
