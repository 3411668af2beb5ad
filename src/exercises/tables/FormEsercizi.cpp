#include "exercises/tables/FormEsercizi.h"

#include "feedback/Feedback.h"
#include "frame/Accessibility.h"
#include "frame/Icons.h"
#include "frame/PaintCache.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStaticText>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// The board fills the window left of the score column (twips).
constexpr int kBoardLeft = 480;
constexpr int kBoardTop = 1800;
constexpr int kPitchX = 1128;
constexpr int kPitchY = 876;
constexpr int kCellWidth = 1056;
constexpr int kCellHeight = 792;
constexpr int kBoardWidth = 9 * kPitchX + kCellWidth;

// The numbers of the board on each of their fills, drawn once and copied at
// every later paint, in this window and the next: anti-aliased digits cost
// several times more to draw than to copy. A picture is opaque, the fill
// around the digits included, so it copies as fast as the face under it; it
// belongs to one font, pixel density and button size, and a change of any of
// them (or of the fonts installed) starts afresh.
class NumberPictures {
public:
    struct Picture {
        QImage image;
        QPoint at;   // top-left corner in the button
    };

    // The number text on fill in a button of size, laid out as the button
    // lays it out (centred, from its QStaticText size).
    static const Picture &get(const QString &text, const QFont &font, const QColor &fill, QSize size,
                              qreal ratio)
    {
        NumberPictures &cache = instance();
        if (cache.size_ != size || cache.ratio_ != ratio || cache.font_ != font
            || cache.pictures_.size() > kMostPictures) {
            cache.pictures_.clear();
            cache.size_ = size;
            cache.ratio_ = ratio;
            cache.font_ = font;
        }
        const auto key = std::make_pair(text, fill.rgba());
        auto it = cache.pictures_.find(key);
        if (it == cache.pictures_.end())
            it = cache.pictures_.insert(key, draw(text, font, fill, size, ratio));
        return *it;
    }

    // Where the number's top-left corner lies in a button of size.
    static QPointF numberAt(const QStaticText &number, QSize size)
    {
        const QSizeF extent = number.size();
        return QPointF((size.width() - extent.width()) / 2, (size.height() - extent.height()) / 2);
    }

    static QColor ink() { return QColor(0x1c, 0x1c, 0x3c); }

private:
    static constexpr qsizetype kMostPictures = 2000;

    static NumberPictures &instance()
    {
        static NumberPictures cache;
        static const bool watching = [] {
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                             [] { instance().pictures_.clear(); });
            return true;
        }();
        Q_UNUSED(watching);
        return cache;
    }

    // Draws the number on a piece of fill wide enough for any stroke, then
    // keeps the part that the digits touch, in whole pixels of the button.
    static Picture draw(const QString &text, const QFont &font, const QColor &fill, QSize size, qreal ratio)
    {
        QStaticText number(text);
        number.setTextFormat(Qt::PlainText);
        number.prepare(QTransform(), font);
        const QPointF at = numberAt(number, size);
        const int margin = qCeil(QFontMetricsF(font).height() / 2);
        const QPoint origin(qFloor(at.x()) - margin, qFloor(at.y()) - margin);
        const QSizeF extent = number.size();
        const int scale = qRound(ratio);
        QImage scratch(QSize(qCeil(extent.width()) + 2 * margin + 1, qCeil(extent.height()) + 2 * margin + 1) * scale,
                       QImage::Format_RGB32);
        scratch.setDevicePixelRatio(scale);
        scratch.fill(fill);
        {
            QPainter p(&scratch);
            p.setPen(ink());
            p.setFont(font);
            p.drawStaticText(at - QPointF(origin), number);
        }
        Picture picture;
        const QRect inked = inkedArea(scratch, fill.rgb());
        if (inked.isEmpty())
            return picture;
        const QRect kept(QPoint(inked.left() / scale, inked.top() / scale),
                         QPoint(inked.right() / scale, inked.bottom() / scale));
        picture.image = scratch.copy(QRect(kept.topLeft() * scale, kept.size() * scale));
        picture.image.setDevicePixelRatio(scale);
        picture.at = origin + kept.topLeft();
        return picture;
    }

    // The pixels of image that differ from fill, or an empty rectangle.
    static QRect inkedArea(const QImage &image, QRgb fill)
    {
        int left = image.width();
        int right = -1;
        int top = -1;
        int bottom = -1;
        const int width = image.width();
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (line[x] == fill)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
        return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }

    QSize size_;
    qreal ratio_ = 0;
    QFont font_;
    QHash<std::pair<QString, QRgb>, Picture> pictures_;
};

// A board button painted by hand: a hundred style-sheet buttons cost more to
// build and paint than the rest of the window together. Its face comes from
// the shared cache of faces, its number from NumberPictures.
class BoardButton final : public QPushButton {
public:
    void setFill(const QColor &fill)
    {
        if (fill == fill_ && !faceKey_.isEmpty())
            return;
        fill_ = fill;
        faceKey_ = QStringLiteral("board-") + QString::number(fill.rgba(), 16);
        markedKey_ = faceKey_ + QStringLiteral("-marked");
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const bool marked = isDown() || underMouse() || hasFocus();
        const QColor fill = fill_;
        drawCached(p, rect(), marked ? markedKey_ : faceKey_,
                   [fill, marked](QPainter &face, const QRectF &area) {
                       const qreal pen = marked ? 3 : 2;
                       face.setPen(QPen(marked ? QColor(0x1f, 0x3f, 0xbf) : QColor(0x5a, 0x5a, 0x7a), pen));
                       face.setBrush(fill);
                       face.drawRoundedRect(area.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), 10, 10);
                   },
                   palette().color(QPalette::Window));
        // The green button of the right answer is disabled; its digits stay
        // as readable as the others. A pressed button's number sinks a little.
        const int sink = isDown() ? 2 : 0;
        const QString caption = text();
        if (caption.isEmpty())
            return;
        // Pictures keep to whole pixels of the screen; a fractional pixel
        // density draws the digits directly.
        const qreal ratio = devicePixelRatioF();
        if (ratio == std::floor(ratio)) {
            const auto &picture = NumberPictures::get(caption, font(), fill, size(), ratio);
            if (picture.image.isNull())
                return;   // nothing but blanks
            const QRect copy(picture.at + QPoint(0, sink), picture.image.deviceIndependentSize().toSize());
            if (insideFill(copy)) {
                p.drawImage(copy.topLeft(), picture.image);
                return;
            }
        }
        // Too small a button for a picture that keeps clear of the border.
        if (number_.text() != caption || numberFont_ != font()) {
            number_.setText(caption);
            number_.setTextFormat(Qt::PlainText);
            number_.prepare(QTransform(), font());
            numberFont_ = font();
        }
        p.setPen(NumberPictures::ink());
        p.setFont(font());
        p.drawStaticText(NumberPictures::numberAt(number_, size()) + QPointF(0, sink), number_);
    }

private:
    // True when area lies where the face is plain fill: inside the border
    // and clear of the rounded corners.
    bool insideFill(const QRect &area) const
    {
        constexpr int kBorder = 4;    // the widest border and its soft edge
        constexpr int kCorner = 11;   // the corners' radius and its soft edge
        return rect().adjusted(kCorner, kBorder, -kCorner, -kBorder).contains(area)
               || rect().adjusted(kBorder, kCorner, -kBorder, -kCorner).contains(area);
    }

    QColor fill_;
    QString faceKey_;
    QString markedKey_;
    QStaticText number_;
    QFont numberFont_;
};

// The lamp fills most of its button at every size the resizer gives it.
// The style would draw the button afresh in every new window, as its own
// cache follows the window's palette, and its large gradient and lamp are
// costly: the button keeps the style's picture of itself per state, size and
// background colour instead.
class LampButton final : public QPushButton {
protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QPushButton::resizeEvent(event);
        const int side = std::min(width(), height()) * 3 / 4;
        setIconSize(QSize(side, side));
    }

    void paintEvent(QPaintEvent *) override
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        const QPalette &colours = palette();
        const QString key = QStringLiteral("lamp-") + QString::number(static_cast<uint>(option.state), 16) + u'-'
                            + QString::number(colours.color(QPalette::Button).rgba(), 16) + u'-'
                            + QString::number(colours.color(QPalette::Highlight).rgba(), 16);
        QPainter p(this);
        drawCached(p, rect(), key,
                   [this, &option](QPainter &face, const QRectF &) {
                       face.setRenderHint(QPainter::Antialiasing, false);   // as on the widget itself
                       style()->drawControl(QStyle::CE_PushButtonBevel, &option, &face, this);
                       // The lamp and the focus frame as the style draws them
                       // on a button, with the smooth scaling its bevel leaves
                       // switched on.
                       face.setRenderHint(QPainter::SmoothPixmapTransform);
                       QStyleOptionButton label = option;
                       label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
                       style()->drawControl(QStyle::CE_PushButtonLabel, &label, &face, this);
                       if (option.state & QStyle::State_HasFocus) {
                           QStyleOptionFocusRect focus;
                           focus.QStyleOption::operator=(option);
                           focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
                           style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &face, this);
                       }
                   },
                   colours.color(QPalette::Window));
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
        askWith(button);
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
    // A child on the keyboard starts every exercise on the board's first
    // button.
    Numero[0]->setFocus();
    announceExercise();
}

QString NumberBoardForm::spokenExercise() const
{
    return fillWord(MLSGetString(QStringLiteral("0297")), QString::number(fatto_.primoFattore),
                    QString::number(fatto_.secondoFattore));
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
    // "avanti" takes the focus before the right button gives it up, as after
    // any right answer: a child on the keyboard moves on with Enter, rather
    // than answering with the next button on the board.
    BottoneAvanti->setFocus();
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
    // The board's first button takes the focus before "avanti" gives it up,
    // so it is not passed on to whatever control comes next.
    NuovoEsercizio();
    BottoneAvanti->setEnabled(false);
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
