#pragma once

#include "frame/FormBase.h"

#include <initializer_list>

class QCheckBox;
class QPushButton;

// What the three menus share: buttons that open a window and close the menu,
// the "Suoni attivati" box, the counts reset on load and on activation, a
// random background that the box takes too, and, with reading aloud on, the
// caption of the button pointed at or reached with the keyboard read aloud.
class MenuForm : public FormBase {
    Q_OBJECT
public:
    explicit MenuForm(const QString &name);

    QCheckBox *Check1;

    static constexpr QSize kDesignTwips{15360, 10800};

protected:
    // A button that opens destination. It is disabled while that window is
    // not built, so the menu keeps its shape.
    QPushButton *addDestination(const QString &name, const QString &caption, const QString &destination,
                                int left, int top, int width, int height);
    void addSoundsBox(int left, int top, int width, int height);
    // Gives a check box the window's background.
    void paintLikeWindow(QCheckBox *box);

    // The layout of the two exercise menus: a column of destinations on the
    // left, one on the right with the sounds box below it, and the way back
    // to the main menu at the bottom right.
    struct Destination {
        const char *name;
        const char *caption;
        const char *window;
    };
    void addTwoColumns(std::initializer_list<Destination> left, std::initializer_list<Destination> right,
                       const char *backButton);

    void afterLoad() override;
    void afterActivate() override;
};
