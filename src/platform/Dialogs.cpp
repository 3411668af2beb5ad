#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

MessageAnswer SystemDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(parent);
    QFont font = box.font();
    font.setPointSize(14);   // read by children
    box.setFont(font);
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    auto name = [this](QAbstractButton *button, MessageAnswer answer) {
        const QString text = caption_ ? caption_(answer) : QString();
        if (button && !text.isEmpty())
            button->setText(text);
    };
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        name(box.button(QMessageBox::Yes), MessageAnswer::Yes);
        name(box.button(QMessageBox::No), MessageAnswer::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    name(box.button(QMessageBox::Ok), MessageAnswer::Ok);
    box.exec();
    return MessageAnswer::Ok;
}
