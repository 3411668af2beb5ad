#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question, Error };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes. An empty title means the application's default title.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget *parent, const QString &text, const QString &title,
                                  MessageButtons buttons, MessageIcon icon) = 0;
};

class SystemDialogs final : public Dialogs {
public:
    // The words on the buttons, in the child's language; an empty word
    // leaves the toolkit's own.
    using ButtonCaption = std::function<QString(MessageAnswer button)>;
    explicit SystemDialogs(ButtonCaption caption = {}) : caption_(std::move(caption)) {}

    MessageAnswer message(QWidget *parent, const QString &text, const QString &title,
                          MessageButtons buttons, MessageIcon icon) override;

private:
    ButtonCaption caption_;
};
