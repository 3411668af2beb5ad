#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace {

// Placed in the middle of the screen once its size is known, before the
// window system maps it: over a full-screen window or over nothing at all,
// a child looks for it there.
class CentredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
};

void name(QAbstractButton *button, const QString &word)
{
    if (button && !word.isEmpty())
        button->setText(word);
}

} // namespace

MessageAnswer SystemDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon, const ButtonWords &words)
{
    CentredMessageBox box(parent);
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
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        name(box.button(QMessageBox::Yes), words.yes);
        name(box.button(QMessageBox::No), words.no);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    name(box.button(QMessageBox::Ok), words.ok);
    box.exec();
    return MessageAnswer::Ok;
}
