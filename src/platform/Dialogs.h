#pragma once

#include <QString>

class QWidget;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Error };
enum class MessageAnswer { Ok, Yes, No };

// The words on a box's buttons, in the language of its text; an empty word
// leaves the toolkit's own.
struct ButtonWords {
    QString yes;
    QString no;
    QString ok;
};

// Modal message boxes, centred on the screen. An empty title means the
// application's default title.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget *parent, const QString &text, const QString &title,
                                  MessageButtons buttons, MessageIcon icon, const ButtonWords &words) = 0;
};

class SystemDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget *parent, const QString &text, const QString &title,
                          MessageButtons buttons, MessageIcon icon, const ButtonWords &words) override;
};
