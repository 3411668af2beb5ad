#include "app/FormAvvio.h"

#include "feedback/Feedback.h"
#include "frame/RoundButton.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>

FormAvvio::FormAvvio() : FormBase(QStringLiteral("FormAvvio"), QStringLiteral("Form1"), {15360, 10800})
{
    const QString comic = QStringLiteral("Comic Sans MS");
    auto label = [&](const QString &name, int index, const QString &caption, double points, int top, int height) {
        auto *l = add(new QLabel(caption), name, 0, top, 15360, height, index);
        l->setFont(layoutFont(comic, points));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    label(QStringLiteral("Label2"), 0, QStringLiteral("Quadrivel"), 72, 1800, 2400);
    label(QStringLiteral("Label2"), 1, QStringLiteral("Calvetra"), 18, 4320, 720);
    label(QStringLiteral("Label1"), -1, QStringLiteral("06 settembre 2003"), 14.25, 5160, 600);

    Command1 = add(new RoundButton(QStringLiteral("Avvio")), QStringLiteral("Command1"), 5880, 7320, 3600, 1200);
    Command1->setFont(layoutFont(comic, 20));
    connect(Command1, &QPushButton::clicked, this, [this] { goTo(QStringLiteral("FormMenu")); });
}

void FormAvvio::beforeLocalise()
{
    state().currentLanguageName = readLanguageSetting();
}

void FormAvvio::afterLoad()
{
    setBackground(ColoreCasuale());
}
