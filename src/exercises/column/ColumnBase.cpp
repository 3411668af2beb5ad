#include "exercises/column/ColumnBase.h"

#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "frame/DragLabel.h"
#include "frame/DropTargets.h"
#include "frame/FittingLabel.h"
#include "frame/Shapes.h"
#include "frame/Twips.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kLineaHeight = 1320;

QString didascalia(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    return label ? label->text() : QString();
}

// The question of a sum or product: "Quanto fa 4 per 3, più 2 di cambio?".
QString chiedi(const QString &conto, int cambio)
{
    const QString testo = cambio > 0 ? MLSGetString(QStringLiteral("0344")).arg(conto, QString::number(cambio)) : conto;
    return MLSGetString(QStringLiteral("0341")).arg(testo);
}

} // namespace

void colora(QWidget *control, const QColor &fill, const QColor &text)
{
    QPalette p = control->palette();
    // Setting a palette walks the control's children: skip it when nothing
    // changes, as at most highlights of a new exercise.
    if (control->autoFillBackground() && p.color(QPalette::Window) == fill && p.color(QPalette::Text) == text)
        return;
    p.setColor(QPalette::Window, fill);
    p.setColor(QPalette::Base, fill);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

void incornicia(QLabel *label, const QFont &font, const QColor &fill, const QColor &text)
{
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    colora(label, fill, text);
}

ColumnBase::ColumnBase(const QString &name, const QString &homeMenu)
    : ExerciseForm(name, homeMenu), drops_(new DropTargets(this))
{
    Label3 = add(new FittingLabel, QStringLiteral("Label3"), 480, 240, 11280, 1440);
    Label3->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 18));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ColumnBase::addExerciseLine(bool centinaia, bool secondoDecine, const QString &uguale, int left, int top)
{
    const QFont font = layoutFont(QStringLiteral("Arial"), 44);
    auto riga = [&](auto *label, const QString &name, const QString &caption) {
        label->setText(caption);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        return add(label, name, left, top, 600, kLineaHeight);
    };
    auto fonte = [&](const QString &name) {
        DragLabel *label = riga(new DragLabel, name, QString());
        drops_->addSource(label);
        return label;
    };
    if (centinaia)
        Lh1 = fonte(QStringLiteral("Lh1"));
    Lda1 = fonte(QStringLiteral("Lda1"));
    Lu1 = fonte(QStringLiteral("Lu1"));
    Label6 = riga(new QLabel, QStringLiteral("Label6"), QStringLiteral(" x"));
    if (secondoDecine)
        Lda2 = fonte(QStringLiteral("Lda2"));
    Lu2 = fonte(QStringLiteral("Lu2"));
    Label7 = riga(new QLabel, QStringLiteral("Label7"), uguale);
    Lris = riga(new QLabel, QStringLiteral("Lris"), QString());
}

void ColumnBase::mostraRiga(const Moltiplicazione &m)
{
    // An empty place of the first factor is not shown and cannot be dragged.
    auto cifra = [](DragLabel *label, bool mostrata, int valore) {
        if (!label)
            return;
        label->setText(mostrata ? signSpaced(valore) : QString());
        label->setDragMode(mostrata);
    };
    cifra(Lh1, m.centinaia > 0, m.centinaia);
    cifra(Lda1, m.decine > 0 || m.centinaia > 0, m.decine);
    cifra(Lu1, true, m.unita);
    (Lh1 && Lh1->dragMode() ? Lh1 : Lda1->dragMode() ? Lda1 : Lu1)->setFocus(Qt::OtherFocusReason);
    if (Lda2) {
        Lda2->setText(signSpaced(m.secondoDecine));
        Lda2->setDragMode(false);
    }
    Lu2->setText(signSpaced(m.secondoFattore));
    Lu2->setDragMode(false);
    allineaRiga();
    cifreDaTrascinare_ = cifrePrimo_ = m.centinaia > 0 ? 3 : m.decine > 0 ? 2 : 1;
    secondoFattoreDaTrascinare_ = Lda2 ? 2 : 1;
    esercizio_ = m;
    concluso_ = false;
    // The boxes of the last exercise no longer ask what they asked.
    for (QWidget *control : named_) {
        if (qobject_cast<DigitBox *>(control) && control->accessibleName() != control->toolTip())
            control->setAccessibleName(control->toolTip());
    }
}

void ColumnBase::allineaRiga()
{
    QLabel *const riga[] = {Lh1, Lda1, Lu1, Label6, Lda2, Lu2, Label7, Lris};
    int left = (Lh1 ? static_cast<QWidget *>(Lh1) : Lda1)->x();
    for (QLabel *label : riga) {
        if (!label)
            continue;
        label->setGeometry(left, label->y(), label->sizeHint().width(), label->height());
        left += label->width();
    }
}

QLabel *ColumnBase::addDropBox(const QString &name, DragLabel *source, QRect twips, const QFont &font,
                               const QColor &fill, const QColor &text)
{
    auto *box = add(new QLabel, name, twips.x(), twips.y(), twips.width(), twips.height());
    incornicia(box, font, fill, text);
    drops_->addTarget(box, [this, box, source](QWidget *dragged) { mettiCifra(box, source, dragged); });
    named_.push_back(box);
    return box;
}

void ColumnBase::dropOn(QWidget *source, QWidget *target)
{
    drops_->dropOn(source, target);
}

// A digit is taken when its caption matches the box's own digit, whichever
// label brought it. A box takes one digit only, a caption without a digit is
// never a digit, and the second factor waits for the whole first factor: so
// the set-up moves on only when every box shows its digit.
void ColumnBase::mettiCifra(QLabel *casella, DragLabel *fonte, QWidget *trascinata)
{
    const QString cifra = didascalia(trascinata);
    if (cifra.trimmed().isEmpty() || cifra != fonte->text() || !casella->text().isEmpty())
        return;
    const bool secondo = fonte == Lu2 || fonte == Lda2;
    if (secondo && cifreDaTrascinare_ > 0)
        return;
    casella->setText(fonte->text());
    fonte->setDragMode(false);
    if (secondo) {
        --secondoFattoreDaTrascinare_;
        Controlla2();
    } else {
        --cifreDaTrascinare_;
        Controlla1();
    }
}

// A carry moves once: only a departure label that is shown can be matched,
// and it is hidden once the carry has gone.
void ColumnBase::addCarry(DragLabel *partenza, QLabel *arrivo, std::function<void()> routine)
{
    partenza->setDragMode(true);
    partenza->hide();
    arrivo->hide();
    drops_->addSource(partenza);
    drops_->addTarget(arrivo, [partenza, routine = std::move(routine)](QWidget *dragged) {
        if (!partenza->isHidden() && didascalia(dragged) == partenza->text())
            routine();
    });
    named_.push_back(partenza);
    named_.push_back(arrivo);
}

int ColumnBase::separaCambio(DragLabel *partenza, QLabel *arrivo, DigitBox *box, int valore)
{
    box->setEnabled(false);
    valoreCambio_ = valore / 10;
    partenza->show();
    arrivo->show();
    partenza->setText(signSpaced(valoreCambio_));
    arrivo->clear();
    // No box is open until the carry moves: the keyboard starts on it.
    partenza->setFocus();
    valore -= 10 * valoreCambio_;
    box->setText(signSpaced(valore));
    return valore;
}

void ColumnBase::posaCambio(DragLabel *partenza, QLabel *arrivo)
{
    arrivo->setText(partenza->text());
    partenza->clear();
    partenza->hide();
}

DigitBox *ColumnBase::addAnswer(const QString &name, int index, QRect twips, const QFont &font, const QColor &fill,
                                const QColor &text, std::function<void()> judge)
{
    auto *box = add(new DigitBox, name, twips.x(), twips.y(), twips.width(), twips.height(), index);
    box->setFont(font);
    box->setMaxLength(2);
    box->setEnabled(false);
    colora(box, fill, text);
    // Enter on an empty box may be an answer here, so the frame's check of
    // non-empty boxes is not used.
    connect(box, &DigitBox::enterReleased, this, std::move(judge));
    named_.push_back(box);
    return box;
}

ColumnBase::Esito ColumnBase::giudica(DigitBox *box, int atteso)
{
    if (!box->isEnabled() || (box->text().isEmpty() && atteso != 0))
        return Esito::Nessuno;
    if (leadingNumber(box->text()) != atteso) {
        SegnaErrato();
        box->setFocus();
        return Esito::Errato;
    }
    return Esito::Esatto;
}

void ColumnBase::apri(DigitBox *box)
{
    box->setEnabled(true);
    QStringList detto{esercizioDetto(), domanda()};
    detto.removeAll(QString());
    box->setAccessibleName(accessibleWord(QStringLiteral("Column"), box->toolTip(), detto.join(u' ')));
    box->setFocus();
}

Line *ColumnBase::addLine(const QString &name, QPoint from, QPoint to, const QColor &colour)
{
    auto *line = new Line(area(), QPoint(tw(from.x()), tw(from.y())), QPoint(tw(to.x()), tw(to.y())), colour, 3);
    addControl(line, name);
    return line;
}

void ColumnBase::afterActivate()
{
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    NuovoEsercizio();
}

void ColumnBase::avantiPressed()
{
    BottoneAvanti->setEnabled(false);
    NuovoEsercizio();
}

void ColumnBase::mostra(const char *istruzione)
{
    mostraTesto(MLSGetString(QString::fromLatin1(istruzione)));
}

void ColumnBase::mostraTesto(const QString &istruzione)
{
    Label3->setText(istruzione);
    announceExercise();
}

void ColumnBase::concludi(const QString &prodotto)
{
    concluso_ = true;
    Lris->setText(prodotto);
    allineaRiga();
    SegnaEsatto();
    SuonoSi();
    BottoneAvanti->setEnabled(true);
    BottoneAvanti->setFocus();
}

QString ColumnBase::spokenExercise() const
{
    if (concluso_)
        return {};
    QStringList parti;
    if (cifreDaTrascinare_ > 0)
        parti << esercizioDetto();
    // The label may put a carry's message on a line of its own.
    parti << Label3->text().simplified() << domanda();
    parti.removeAll(QString());
    return parti.join(QLatin1Char(' '));
}

QString ColumnBase::esercizioDetto() const
{
    const Moltiplicazione &m = esercizio_;
    return MLSGetString(QStringLiteral("0340"))
        .arg(QString::number(100 * m.centinaia + 10 * m.decine + m.unita),
             QString::number(10 * m.secondoDecine + m.secondoFattore));
}

QString ColumnBase::domanda() const
{
    return {};
}

QString ColumnBase::domandaProdotto(int cifra, int fattore, int cambio)
{
    return chiedi(MLSGetString(QStringLiteral("0342")).arg(QString::number(cifra), QString::number(fattore)), cambio);
}

QString ColumnBase::domandaSomma(const QList<int> &addendi, int cambio)
{
    if (addendi.isEmpty() || (addendi.size() == 1 && cambio <= 0))
        return {};
    const QString piu = MLSGetString(QStringLiteral("0343"));
    QString conto = QString::number(addendi.front());
    for (qsizetype i = 1; i < addendi.size(); ++i)
        conto = piu.arg(conto, QString::number(addendi[i]));
    return chiedi(conto, cambio);
}

void ColumnBase::afterLoad()
{
    // The boxes have no caption of their own: what the language file says
    // they are is what a screen reader reads.
    for (QWidget *control : named_)
        control->setAccessibleName(control->toolTip());
}

QString separatoreMigliaia()
{
    return MLSGetString(QStringLiteral("0345"));
}

QString conMigliaia(int n)
{
    const QString cifre = QString::number(n);
    const QString separatore = separatoreMigliaia();
    QString testo;
    for (qsizetype i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0 && cifre.at(i - 1).isDigit())
            testo += separatore;
        testo += cifre.at(i);
    }
    return testo;
}
