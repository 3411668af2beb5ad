#include "app/MenuForm.h"

#include "feedback/Feedback.h"
#include "frame/RoundButton.h"
#include "platform/ProgramState.h"

#include <QCheckBox>
#include <QPushButton>

MenuForm::MenuForm(const QString &name) : FormBase(name, QStringLiteral("Form2"), kDesignTwips), Check1(nullptr) {}

QPushButton *MenuForm::addDestination(const QString &name, const QString &caption, const QString &destination,
                                      int left, int top, int width, int height)
{
    auto *button = add(new RoundButton(caption), name, left, top, width, height);
    button->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 12));
    button->setEnabled(windowIsBuilt(destination));
    connect(button, &QPushButton::clicked, this, [this, destination] { goTo(destination); });
    return button;
}

void MenuForm::addSoundsBox(int left, int top, int width, int height)
{
    Check1 = add(new QCheckBox(QStringLiteral("Suoni attivati")), QStringLiteral("Check1"), left, top, width, height);
    Check1->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 14));
    Check1->setAutoFillBackground(true);
    Check1->setCursor(Qt::PointingHandCursor);
    connect(Check1, &QCheckBox::toggled, this, [](bool on) { state().suoniAttivati = on; });
}

void MenuForm::afterLoad()
{
    state().contaEsatti = 0;
    state().contaErrati = 0;
    Check1->setChecked(state().suoniAttivati);
    setBackground(ColoreCasuale());
    QPalette p = Check1->palette();
    p.setColor(QPalette::Window, background());
    Check1->setPalette(p);
    // A style sheet would override the palette, so the bigger tick box and
    // the colour are set together here.
    Check1->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; }"
                                         " QCheckBox::indicator { width: 24px; height: 24px; }")
                              .arg(background().name()));
}

void MenuForm::afterActivate()
{
    state().contaEsatti = 0;
    state().contaErrati = 0;
}
