#pragma once

#include "app/MenuForm.h"

#include <vector>

class QAction;
class QMenu;
class QPushButton;

// The main menu: the two exercise menus, the sounds box, the read-aloud box,
// "Esci" and the "Lingua" menu of language files.
class FormMenu : public MenuForm {
    Q_OBJECT
public:
    FormMenu();

    // Reading aloud on or off; disabled, saying why, while the speaker has no
    // engine or no voice for the language.
    QCheckBox *Check2;

    // Lists the language files of the program folder and marks the current one.
    void MLSFillMenuLanguages();
    // The language item i was chosen.
    void chooseLanguage(int i);

    const std::vector<QAction *> &languageItems() const { return mnuLanguage_; }

protected:
    void beforeLocalise() override;
    void afterLoad() override;

private:
    // Follows the speaker's readiness with the read-aloud box.
    void followSpeaker();

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
