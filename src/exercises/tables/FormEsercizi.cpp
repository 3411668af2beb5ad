#include "exercises/tables/FormEsercizi.h"

#include "feedback/Feedback.h"
#include "frame/Icons.h"
#include "frame/PaintCache.h"
#include "platform/ProgramState.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStaticText>
#include <algorithm>

namespace {

// The board fills the window left of the score column (twips).
constexpr int kBoardLeft = 480;
constexpr int kBoardTop = 1800;
constexpr int kPitchX = 1128;
constexpr int kPitchY = 876;
constexpr int kCellWidth = 1056;
constexpr int kCellHeight = 792;
constexpr int kBoardWidth = 9 * kPitchX + kCellWidth;

// A board button painted by hand: a hundred style-sheet buttons cost more to
// build and paint than the rest of the window together.
class BoardButton final : public QPushButton {
public:
    void setFill(const QColor &fill)
    {
        fill_ = fill;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const bool marked = isDown() || underMouse() || hasFocus();
        const QColor fill = fill_;
        drawCached(p, rect(), QStringLiteral("board-") + QString::number(fill.rgba(), 16) + (marked ? QStringLiteral("-marked") : QString()),
                   [fill, marked](QPainter &face, const QRectF &area) {
                       const qreal pen = marked ? 3 : 2;
                       face.setPen(QPen(marked ? QColor(0x1f, 0x3f, 0xbf) : QColor(0x5a, 0x5a, 0x7a), pen));
                       face.setBrush(fill);
                       face.drawRoundedRect(area.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), 10, 10);
                   },
                   palette().color(QPalette::Window));
        // The green button of the right answer is disabled; its digits stay
        // as readable as the others.
        p.setPen(QColor(0x1c, 0x1c, 0x3c));
        p.setFont(font());
        // The number is laid out once and redrawn from its layout.
        if (number_.text() != text() || numberFont_ != font()) {
            number_.setText(text());
            number_.setTextFormat(Qt::PlainText);
            number_.prepare(QTransform(), font());
            numberFont_ = font();
        }
        const QSizeF size = number_.size();
        p.drawStaticText(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2 + (isDown() ? 2 : 0)),
                         number_);
    }

private:
    QColor fill_;
    QStaticText number_;
    QFont numberFont_;
};

// The lamp fills most of its button at every size the resizer gives it.
class LampButton final : public QPushButton {
protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QPushButton::resizeEvent(event);
        const int side = std::min(width(), height()) * 3 / 4;
        setIconSize(QSize(side, side));
    }
};

} // namespace

unsigned NumberBoardForm::bgrOf(Colore colore)
{
    switch (colore) {
    case Colore::Grigio:
        return 0xE0E0E0;
    case Colore::Giallo:
        return 0x00FFFF;
    case Colore::Arancio:
        return 0x80C0FF;
    case Colore::Verde:
        return 0x00C000;
    case Colore::Rosso:
        return 0x0000FF;
    }
    return 0xE0E0E0;
}

NumberBoardForm::NumberBoardForm(const QString &name, const QString &homeMenu) : ExerciseForm(name, homeMenu)
{
    EtichettaNumero = add(new QLabel(QStringLiteral("Forma il numero")), QStringLiteral("EtichettaNumero"),
                          kBoardLeft, 240, kBoardWidth, 1320);
    EtichettaNumero->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 40));
    EtichettaNumero->setAlignment(Qt::AlignCenter);

    const QFont digits = layoutFont(QStringLiteral("Comic Sans MS"), 20);
    for (int i = 0; i < kButtons; ++i) {
        auto *button = add(new BoardButton, QStringLiteral("Numero"), kBoardLeft + (i % 10) * kPitchX,
                           kBoardTop + (i / 10) * kPitchY, kCellWidth, kCellHeight, i);
        button->setFont(digits);
        button->setFill(QColor(fromBgr(bgrOf(Colore::Grigio))));
        connect(button, &QPushButton::clicked, this, [this, i] { NumeroClick(i); });
        Numero[static_cast<std::size_t>(i)] = button;
    }
    colori_.fill(Colore::Grigio);
    // Hover marks the button under the pointer.
    for (QPushButton *button : Numero)
        button->setAttribute(Qt::WA_Hover);

    addTermFrame(0, kLastTable, QStringLiteral("Command3D2"));
}

NumberBoardForm::Fatto NumberBoardForm::estrai(const std::function<bool(int)> &tableTicked)
{
    // The board ends at 99, so 10 x 10 is posed as 9 x 9.
    auto senzaCento = [](Fatto &f) {
        if (f.primoFattore == 10 && f.secondoFattore == 10)
            f.primoFattore = f.secondoFattore = 9;
    };
    Fatto f{};
    f.primoFattore = randomBelow(kLastTable + 1);
    f.secondoFattore = randomBelow(kLastTable + 1);
    senzaCento(f);

    // "Conferma" refuses an empty choice, but the boxes can still be emptied
    // with the frame open and "avanti" reached by the keyboard behind it; the
    // redraws would then never end, so the first draw stands.
    bool anyTicked = false;
    for (int t = 0; t <= kLastTable && !anyTicked; ++t)
        anyTicked = tableTicked(t);
    if (!anyTicked)
        return f;
    while (!tableTicked(f.primoFattore)) {
        f.primoFattore = randomBelow(kLastTable + 1);
        senzaCento(f);
    }
    return f;
}

void NumberBoardForm::NuovoEsercizio()
{
    setBackground(ColoreCasuale());
    for (int i = 0; i < kButtons; ++i) {
        Numero[static_cast<std::size_t>(i)]->setEnabled(true);
        colora(i, Colore::Grigio);
    }
    fatto_ = estrai([this](int table) { return termTicked(table); });
    afterDraw();
    EtichettaNumero->setText(signSpaced(fatto_.primoFattore) + QStringLiteral(" x ") +
                             signSpaced(fatto_.secondoFattore) + QStringLiteral(" ="));
}

void NumberBoardForm::NumeroClick(int i)
{
    if (i < 0 || i >= kButtons)
        return;
    QPushButton *button = Numero[static_cast<std::size_t>(i)];
    if (i != fatto_.primoFattore * fatto_.secondoFattore) {
        SegnaErrato();
        colora(i, Colore::Rosso);
        return;
    }
    SegnaEsatto();
    colora(i, Colore::Verde);
    SuonoSi();
    EtichettaNumero->setText(EtichettaNumero->text() + button->text());
    BottoneAvanti->setEnabled(true);
    button->setEnabled(false);
}

void NumberBoardForm::coloraMultipli(int limit)
{
    const int table = fatto_.primoFattore;
    if (table == 0) {
        colora(0, Colore::Giallo);
        return;
    }
    const int last = std::min(limit, kButtons - 1);
    for (int m = 0; m <= last; m += table)
        colora(m, Colore::Giallo);
    colora(0, Colore::Arancio);
}

void NumberBoardForm::afterLoad()
{
    for (int i = 0; i < kButtons; ++i) {
        QPushButton *button = Numero[static_cast<std::size_t>(i)];
        button->setText(signSpaced(i));
        button->setCursor(Qt::PointingHandCursor);
    }
    NuovoEsercizio();
}

void NumberBoardForm::avantiPressed()
{
    BottoneAvanti->setEnabled(false);
    NuovoEsercizio();
}

void NumberBoardForm::colora(int i, Colore colore)
{
    auto &current = colori_[static_cast<std::size_t>(i)];
    if (current == colore)
        return;
    current = colore;
    static_cast<BoardButton *>(Numero[static_cast<std::size_t>(i)])->setFill(QColor(fromBgr(bgrOf(colore))));
}

FormEsercizi::FormEsercizi() : NumberBoardForm(QStringLiteral("FormEsercizi"), QStringLiteral("FormMenuGrafici")) {}

void FormEsercizi::afterDraw()
{
    coloraMultipli(10 * primoFattore());
}

FormEsercizi2::FormEsercizi2() : NumberBoardForm(QStringLiteral("FormEsercizi2"), QStringLiteral("FormMenuNumeri"))
{
    Command1 = add(new LampButton, QStringLiteral("Command1"), 12960, 4200, 1440, 1440);
    Command1->setIcon(vectorIcon(IconKind::Lamp));
    Command1->setCursor(Qt::PointingHandCursor);
    connect(Command1, &QPushButton::clicked, this, [this] { coloraMultipli(kButtons - 1); });
}
