#include "app/MenuForm.h"

#include "feedback/Feedback.h"
#include "frame/ReadAloud.h"
#include "frame/RoundButton.h"
#include "platform/ProgramState.h"

#include <QCheckBox>
#include <QEvent>
#include <QPointer>
#include <QPushButton>

namespace {

// Reads aloud, with reading aloud on, the caption of the button the pointer
// comes onto or the focus reaches; once while the pointer or the focus stays
// on it.
class CaptionReader final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button)
            return false;
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::FocusIn:
            if (button != read_ && state().letturaAttivata) {
                read_ = button;
                readAloud(button->text().simplified());
            }
            break;
        case QEvent::Leave:
            if (button == read_ && !button->hasFocus())
                read_ = nullptr;
            break;
        case QEvent::FocusOut:
            if (button == read_ && !button->underMouse())
                read_ = nullptr;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QAbstractButton> read_;
};

} // namespace

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
    paintLikeWindow(Check1);
    auto *reader = new CaptionReader(this);
    for (QObject *control : controls()) {
        if (qobject_cast<QAbstractButton *>(control))
            control->installEventFilter(reader);
    }
}

void MenuForm::paintLikeWindow(QCheckBox *box)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Window, background());
    box->setPalette(p);
    // A style sheet would override the palette, so the bigger tick box and
    // the colour are set together here.
    box->setStyleSheet(QStringLiteral("QCheckBox { background-color: %1; }"
                                      " QCheckBox::indicator { width: 24px; height: 24px; }")
                           .arg(background().name()));
}

void MenuForm::afterActivate()
{
    state().contaEsatti = 0;
    state().contaErrati = 0;
}
