#include "exercises/tables/Form2.h"

#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStaticText>
#include <array>

namespace {

// Layout in twips.
constexpr int kPictureLeft = 2640;
constexpr int kPictureTop = 1860;
constexpr int kPictureWidth = 7000;
constexpr int kPictureHeight = 7080;
constexpr int kCellWidth = 700;
constexpr int kCellHeight = 702;

void colora(DigitBox *box, const QColor &colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

} // namespace

// The hundred cells of the table, drawn as the answer boxes of the program
// draw themselves when no one types in them: a grey rim, the face, and the
// number centred in the ink the boxes choose for that face. The cells keep
// the size and pitch they were given at the activation, whatever the
// picture is resized to later.
class TavolaPitagorica final : public QFrame {
public:
    static constexpr int kCelle = Form2::kCelle;

    TavolaPitagorica() = default;

    void setPasso(QSize cella, const QFont &font)
    {
        passo_ = cella;
        font_ = font;
        disegni_.clear();
        update();
    }

    QRect rettangolo(int k) const
    {
        if (passo_.isEmpty())
            return {};
        return QRect(QPoint(passo_.width() * (k / 10), passo_.height() * (k % 10)), passo_);
    }

    const QString &testo(int k) const { return cella(k).testo; }
    QColor faccia(int k) const { return cella(k).faccia; }

    void scrivi(int k, const QString &testo)
    {
        if (cella(k).testo == testo)
            return;
        cella(k).testo = testo;
        update(rettangolo(k));
    }

    void colora(int k, const QColor &faccia)
    {
        if (cella(k).faccia == faccia)
            return;
        cella(k).faccia = faccia;
        update(rettangolo(k));
    }

    // What a screen reader calls cell k.
    void setParolaProdotto(const QString &parola) { prodotto_ = parola; }
    QString nome(int k) const { return fillWord(prodotto_, QString::number(k % 10 + 1), QString::number(k / 10 + 1)); }

    // The cell under a point, -1 outside the table.
    int cellaIn(QPoint punto) const
    {
        if (passo_.isEmpty() || punto.x() < 0 || punto.y() < 0)
            return -1;
        const int colonna = punto.x() / passo_.width(), riga = punto.y() / passo_.height();
        return colonna < 10 && riga < 10 ? 10 * colonna + riga : -1;
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        if (passo_.isEmpty())
            return;
        QPainter p(this);
        // The rims of all the cells in one fill, then the faces in one call
        // per colour: a hundred boxes drawn one by one cost far more in
        // calls than in pixels.
        const QRect tavola(QPoint(0, 0), QSize(10 * passo_.width(), 10 * passo_.height()));
        p.fillRect(event->rect() & tavola, palette().color(QPalette::Window).darker(160));
        p.setPen(Qt::NoPen);
        std::array<bool, kCelle> dipinta{};
        std::array<QRect, kCelle> facce;
        for (int k = 0; k < kCelle; ++k) {
            if (dipinta[std::size_t(k)])
                continue;
            const QColor colore = cella(k).faccia;
            int n = 0;
            for (int j = k; j < kCelle; ++j) {
                if (dipinta[std::size_t(j)] || cella(j).faccia != colore)
                    continue;
                dipinta[std::size_t(j)] = true;
                if (event->rect().intersects(rettangolo(j)))
                    facce[std::size_t(n++)] = rettangolo(j).adjusted(1, 1, -1, -1);
            }
            p.setBrush(colore);
            p.drawRects(facce.data(), n);
        }

        p.setFont(font_);
        for (int k = 0; k < kCelle; ++k) {
            const QString &numero = cella(k).testo;
            const QRect r = rettangolo(k);
            if (numero.isEmpty() || !event->rect().intersects(r))
                continue;
            // Written as the answer boxes write theirs: in the ink that
            // reads on the cell's face.
            p.setPen(DigitBox::readableInk(cella(k).faccia));
            const QStaticText &disegno = preparato(numero);
            const QSizeF size = disegno.size();
            const QPointF at(r.x() + (r.width() - size.width()) / 2, r.y() + (r.height() - size.height()) / 2);
            const QRect faccia = r.adjusted(1, 1, -1, -1);
            const bool fits = size.width() <= faccia.width() && size.height() <= faccia.height();
            if (!fits)
                p.setClipRect(faccia);
            p.drawStaticText(at, disegno);
            if (!fits)
                p.setClipping(false);
        }
    }

private:
    struct Cella {
        QString testo;
        QColor faccia = Form2::kIntestazione;
    };
    Cella &cella(int k) { return celle_[std::size_t(k)]; }
    const Cella &cella(int k) const { return celle_[std::size_t(k)]; }

    // A number laid out once for painting; the headers of the row and of
    // the column share theirs.
    const QStaticText &preparato(const QString &numero)
    {
        auto found = disegni_.find(numero);
        if (found == disegni_.end()) {
            QStaticText disegno(numero);
            disegno.setTextFormat(Qt::PlainText);
            disegno.prepare(QTransform(), font_);
            found = disegni_.insert(numero, disegno);
        }
        return *found;
    }

    QSize passo_;
    QFont font_;
    QString prodotto_;
    std::array<Cella, kCelle> celle_;
    QHash<QString, QStaticText> disegni_;
};

namespace {

// One painted cell, as a screen reader finds it: named by its two factors,
// its number as its value.
class CellaAccessibile final : public QAccessibleInterface {
public:
    CellaAccessibile(TavolaPitagorica *tavola, int cella) : tavola_(tavola), cella_(cella) {}

    const TavolaPitagorica *tavola() const { return tavola_; }
    int cella() const { return cella_; }

    bool isValid() const override { return tavola_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return tavola_ ? tavola_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(tavola_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::StaticText; }

    QString text(QAccessible::Text t) const override
    {
        if (!tavola_)
            return {};
        if (t == QAccessible::Name)
            return tavola_->nome(cella_);
        if (t == QAccessible::Value || t == QAccessible::Description)
            return tavola_->testo(cella_);
        return {};
    }

    QRect rect() const override
    {
        if (!tavola_)
            return {};
        const QRect r = tavola_->rettangolo(cella_);
        return QRect(tavola_->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !tavola_ || !tavola_->isVisible() || tavola_->rettangolo(cella_).isEmpty();
        return s;
    }

private:
    QPointer<TavolaPitagorica> tavola_;
    int cella_;
};

// The table: its child widgets (the answer box), then its hundred cells.
class TavolaAccessibile final : public QAccessibleWidget {
public:
    explicit TavolaAccessibile(TavolaPitagorica *tavola) : QAccessibleWidget(tavola, QAccessible::Pane) {}

    ~TavolaAccessibile() override
    {
        for (const QAccessible::Id id : celle_) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return QAccessibleWidget::childCount() + Form2::kCelle; }

    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        return cella(index - widgets);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (const auto *cella = dynamic_cast<const CellaAccessibile *>(child))
            return cella->tavola() == widget() ? QAccessibleWidget::childCount() + cella->cella() : -1;
        return QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (QAccessibleInterface *found = QAccessibleWidget::childAt(x, y))
            return found;
        return cella(tavola()->cellaIn(tavola()->mapFromGlobal(QPoint(x, y))));
    }

private:
    TavolaPitagorica *tavola() const { return static_cast<TavolaPitagorica *>(widget()); }

    QAccessibleInterface *cella(int k) const
    {
        if (k < 0 || k >= Form2::kCelle)
            return nullptr;
        QAccessible::Id &id = celle_[static_cast<std::size_t>(k)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CellaAccessibile(tavola(), k));
        return QAccessible::accessibleInterface(id);
    }

    mutable std::array<QAccessible::Id, Form2::kCelle> celle_{};
};

QAccessibleInterface *tavolaAccessibile(const QString &, QObject *object)
{
    if (auto *tavola = dynamic_cast<TavolaPitagorica *>(object))
        return new TavolaAccessibile(tavola);
    return nullptr;
}

} // namespace

const QColor Form2::kAttesa(255, 255, 0);
const QColor Form2::kRiempita(255, 255, 255);
const QColor Form2::kIntestazione(255, 196, 120);

Form2::Form2() : ExerciseForm(QStringLiteral("Form2"), QStringLiteral("FormMenuNumeri"))
{
    static const bool installed = [] {
        QAccessible::installFactory(tavolaAccessibile);
        return true;
    }();
    Q_UNUSED(installed);

    setBackground(QColor(206, 236, 255));

    tavola_ = add(new TavolaPitagorica, QStringLiteral("Picture1"), kPictureLeft, kPictureTop, kPictureWidth,
                  kPictureHeight);
    Picture1 = tavola_;
    Picture1->setAutoFillBackground(true);
    Picture1->setPalette(QPalette(Qt::white));

    Text1 = addAnswerBox(QStringLiteral("Text1"), 0, QRect(0, 0, kCellWidth, kCellHeight), 2,
                         layoutFont(QStringLiteral("Arial"), 15.75), Picture1);
    colora(Text1, kIntestazione);
    Text1->setEnabled(false);
    askWith(Text1);
}

void Form2::afterActivate()
{
    // The template has been scaled to the screen by now and gives the
    // table its cells. The pitch follows the template across and down
    // separately, so the ten columns fit the picture whatever the screen's
    // proportions; the picture is fitted to the table, as twips rounded to
    // pixels can leave the tenth column a few pixels past its edge.
    const QSize cella = Text1->size();
    tavola_->setPasso(cella, Text1->font());
    Picture1->resize(10 * cella.width(), 10 * cella.height());
    // From now on the box goes from cell to cell: the resizer leaves it
    // where the table puts it, as it leaves the cells.
    Text1->setProperty("tag", QStringLiteral("@"));
    // A screen reader calls each cell by its two factors: the first row
    // and column hold the table of 1.
    tavola_->setParolaProdotto(accessibleWord(QStringLiteral("Product")));
    NuovoEsercizio();
}

QString Form2::testoCella(int cella) const
{
    return tavola_->testo(cella);
}

QColor Form2::coloreCella(int cella) const
{
    return tavola_->faccia(cella);
}

QColor Form2::inchiostroCella(int cella) const
{
    return DigitBox::readableInk(tavola_->faccia(cella));
}

QRect Form2::rettangoloCella(int cella) const
{
    return tavola_->rettangolo(cella);
}

void Form2::NuovoEsercizio()
{
    for (int k = 1; k < kCelle; ++k)
        tavola_->scrivi(k, QString());
    scriviIntestazioni();
    celleProposte_ = 0;
    NuovaCella();
}

void Form2::scriviIntestazioni()
{
    for (int i = 0; i < 10; ++i) {
        tavola_->scrivi(i, QString::number(i + 1));
        tavola_->scrivi(10 * i, QString::number(i + 1));
    }
}

int Form2::primaVuota() const
{
    // Headers and filled cells are never empty, and a cell to fill is left,
    // so the search stops inside the table.
    int cella = 11;
    while (!tavola_->testo(cella).isEmpty())
        ++cella;
    return cella;
}

void Form2::NuovaCella()
{
    if (celleProposte_ >= kCasuali) {
        cellaCorrente_ = primaVuota();
    } else {
        int estrazioni = 0;
        do
            cellaCorrente_ = randomBelow(kCelle);
        while (!tavola_->testo(cellaCorrente_).isEmpty() && ++estrazioni < kMaxEstrazioni);
        // A fair generator finds one of the 22 or more empty cells long
        // before this; a stuck one must not freeze the window.
        if (!tavola_->testo(cellaCorrente_).isEmpty())
            cellaCorrente_ = primaVuota();
    }
    tavola_->colora(cellaCorrente_, kAttesa);
    Text1->setGeometry(tavola_->rettangolo(cellaCorrente_));
    Text1->clear();
    Text1->setMaxLength(cellaCorrente_ == 99 ? 3 : 2);
    colora(Text1, kAttesa);
    refreshQuestions();
    Text1->setEnabled(true);
    if (Text1->hasFocus() && QAccessible::isActive()) {
        // The box keeps the focus from cell to cell; a screen reader is
        // told it stands on a new cell.
        QAccessibleEvent event(Text1, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
    Text1->setFocus();
    ++celleProposte_;
    announceExercise();
}

QString Form2::spokenExercise() const
{
    // The factors in the order a screen reader names the cell.
    return fillWord(MLSGetString(QStringLiteral("0294")), QString::number(cellaCorrente_ % 10 + 1),
                    QString::number(cellaCorrente_ / 10 + 1));
}

void Form2::answerEntered(DigitBox *box, double value)
{
    if (value != prodottoAtteso(cellaCorrente_)) {
        SegnaErrato();
        box->setFocus();
        return;
    }
    SegnaEsatto();
    tavola_->scrivi(cellaCorrente_, box->text());
    tavola_->colora(cellaCorrente_, kRiempita);
    if (celleProposte_ < kDaRiempire) {
        NuovaCella();
        return;
    }
    // The table is complete: the last box closes where it stands.
    box->setEnabled(false);
    colora(box, kRiempita);
    BottoneAvanti->setEnabled(true);
}
