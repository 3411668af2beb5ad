#include "exercises/tables/FormEserci.h"

#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

constexpr int kLineTop = 4200;
constexpr int kLineHeight = 1440;

} // namespace

FormEserci::FormEserci() : ExerciseForm(QStringLiteral("FormEserci"), QStringLiteral("FormMenuNumeri"))
{
    const QFont lineFont = layoutFont(QStringLiteral("Comic Sans MS"), 40);
    for (int i = 0; i < 2; ++i) {
        EtichettaNumero[i] = add(new QLabel(QStringLiteral("8 x")), QStringLiteral("EtichettaNumero"),
                                 1440 + i * 4560, kLineTop, 2400, kLineHeight, i);
        EtichettaNumero[i]->setFont(lineFont);
        EtichettaNumero[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    Text1 = addAnswerBox(QStringLiteral("Text1"), -1, QRect(3840, kLineTop + 120, 2160, kLineHeight - 240), 3,
                         layoutFont(QStringLiteral("Arial"), 36));
    askWith(Text1);

    QMenu *menuTipo = addOwnMenuHeading(QStringLiteral("MenuTipo"), QStringLiteral("Scegli il tipo di esercizio"));
    MenuProdotto = addMenuItem(menuTipo, QStringLiteral("MenuProdotto"), QStringLiteral("Trova il prodotto"));
    MenuFattore = addMenuItem(menuTipo, QStringLiteral("MenuFattore"), QStringLiteral("Trova un fattore"));
    MenuProdotto->setCheckable(true);
    MenuFattore->setCheckable(true);
    MenuProdotto->setChecked(true);
    connect(MenuProdotto, &QAction::triggered, this, [this] { scegliTipo(Tipo::Prodotto); });
    connect(MenuFattore, &QAction::triggered, this, [this] { scegliTipo(Tipo::Fattore); });

    addTermFrame(0, 10, QStringLiteral("Command3D2"));
}

FormEserci::Tipo FormEserci::tipo() const
{
    return MenuFattore->isChecked() ? Tipo::Fattore : Tipo::Prodotto;
}

void FormEserci::scegliTipo(Tipo tipo)
{
    MenuProdotto->setChecked(tipo == Tipo::Prodotto);
    MenuFattore->setChecked(tipo == Tipo::Fattore);
    NuovoEsercizio();
}

FormEserci::Fatto FormEserci::estrai(Tipo tipo, const std::function<bool(int)> &tableTicked)
{
    Fatto f{};
    f.primoFattore = randomBelow(11);
    if (tipo == Tipo::Fattore && f.primoFattore == 0)
        f.primoFattore = 1;
    f.secondoFattore = randomBelow(11);

    // Redraws give 1 to 10 only. When none of those is ticked the child
    // chose the table 0 alone: product mode then drills 0 x n, and factor
    // mode, which never uses the table 0, keeps its first draw.
    bool reachable = false;
    for (int t = 1; t <= 10 && !reachable; ++t)
        reachable = tableTicked(t);
    if (!reachable) {
        if (tipo == Tipo::Prodotto)
            f.primoFattore = 0;
        return f;
    }
    while (!tableTicked(f.primoFattore))
        f.primoFattore = randomBelow(10) + 1;
    return f;
}

void FormEserci::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    const Tipo t = tipo();
    const Fatto f = estrai(t, [this](int table) { return termTicked(table); });
    fatto_ = f;
    const int prodotto = f.secondoFattore * f.primoFattore;

    QLabel *left = EtichettaNumero[0];
    QLabel *right = EtichettaNumero[1];
    if (t == Tipo::Prodotto) {
        left->setText(signSpaced(f.primoFattore) + QStringLiteral(" x ") + signSpaced(f.secondoFattore) +
                      QStringLiteral(" = "));
        right->clear();
        soluzione_ = prodotto;
    } else {
        left->setText(signSpaced(f.primoFattore) + QStringLiteral(" x "));
        right->setText(QStringLiteral(" = ") + signSpaced(prodotto));
        soluzione_ = f.secondoFattore;
    }
    // The labels size themselves to their text; the box follows the first,
    // the second follows the box.
    left->resize(left->sizeHint().width(), left->height());
    right->resize(right->sizeHint().width(), right->height());
    Text1->move(left->x() + left->width(), Text1->y());
    right->move(Text1->x() + Text1->width(), right->y());

    Text1->clear();
    Text1->setEnabled(true);
    Text1->setFocus();
    announceExercise();
}

QString FormEserci::spokenExercise() const
{
    const QString first = QString::number(fatto_.primoFattore);
    if (tipo() == Tipo::Prodotto)
        return fillWord(MLSGetString(QStringLiteral("0294")), first, QString::number(fatto_.secondoFattore));
    return fillWord(MLSGetString(QStringLiteral("0295")), first,
                    QString::number(fatto_.primoFattore * fatto_.secondoFattore));
}

void FormEserci::afterActivate()
{
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    MenuProdotto->setChecked(true);
    MenuFattore->setChecked(false);
    NuovoEsercizio();
}

void FormEserci::answerEntered(DigitBox *box, double value)
{
    checkSingleAnswer(box, value, soluzione_);
}
