#include "frame/ExerciseForm.h"

#include "feedback/Feedback.h"
#include "frame/About.h"
#include "frame/Accessibility.h"
#include "frame/DigitBox.h"
#include "frame/Icons.h"
#include "frame/PaintCache.h"
#include "frame/ReadAloud.h"
#include "frame/RoundButton.h"
#include "frame/Twips.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <limits>

namespace {

const QString kTitolo = QStringLiteral("Quadrivel");

// Counts stop at the largest value they can show rather than wrapping round
// to negative numbers.
void addOne(qint16 &count)
{
    if (count < std::numeric_limits<qint16>::max())
        ++count;
}

// The score panel: a pale card in a thin rounded border, painted here. A
// style sheet would make the toolkit style the panel and its labels at every
// opening of every exercise window.
class ScorePanel final : public QFrame {
protected:
    void paintEvent(QPaintEvent *) override
    {
        // Drawn once per size with clear corners, so that it serves every
        // background colour.
        QPainter p(this);
        drawCached(p, rect(), QStringLiteral("score-panel"), [](QPainter &face, const QRectF &area) {
            constexpr qreal kBorder = 2;
            constexpr qreal kRadius = 11;
            face.setPen(QPen(QColor(0x8a, 0x8a, 0xa8), kBorder));
            face.setBrush(QColor(0xff, 0xff, 0xf0));
            face.drawRoundedRect(area.adjusted(kBorder / 2, kBorder / 2, -kBorder / 2, -kBorder / 2), kRadius,
                                 kRadius);
        });
    }
};

void setInk(QWidget *label, const QColor &ink)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ink);
    label->setPalette(palette);
}

// Geometry of the shared controls, right-hand column of the window (twips).
constexpr int kColumnLeft = 12240;
constexpr int kColumnWidth = 2880;
// The yes/no icon and the speaker button share the row under the score panel,
// the one place of the column that no window takes.
constexpr int kIconLeft = 12360;
constexpr int kIconTop = 2520;
constexpr int kIconSide = 1200;
constexpr int kSpeakerSide = 1080;
constexpr int kSpeakerLeft = kColumnLeft + kColumnWidth - 120 - kSpeakerSide;
constexpr int kSpeakerTop = kIconTop + (kIconSide - kSpeakerSide) / 2;

} // namespace

QString signSpaced(int number)
{
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

ExerciseForm::ExerciseForm(const QString &name, const QString &homeMenu)
    : FormBase(name, QStringLiteral("Form2"), kDesignTwips), homeMenu_(homeMenu)
{
    const QFont scoreFont = layoutFont(QStringLiteral("Comic Sans MS"), 16);

    sattiErrati = add(new ScorePanel, QStringLiteral("sattiErrati"), kColumnLeft, 240, kColumnWidth, 1920);

    auto scoreLabel = [&](const QString &labelName, const QString &caption, int left, int top, int width,
                          Qt::Alignment align) {
        auto *label = add(new QLabel(caption, sattiErrati), labelName, left, top, width, 720);
        label->setFont(scoreFont);
        label->setAlignment(align | Qt::AlignVCenter);
        return label;
    };
    Label1 = scoreLabel(QStringLiteral("Label1"), QStringLiteral("Esatti"), 120, 180, 1560, Qt::AlignLeft);
    EtichettaEsatti = scoreLabel(QStringLiteral("EtichettaEsatti"), QStringLiteral("0"), 1680, 180, 1080, Qt::AlignRight);
    Label2 = scoreLabel(QStringLiteral("Label2"), QStringLiteral("Errati"), 120, 1020, 1560, Qt::AlignLeft);
    EtichettaErrati = scoreLabel(QStringLiteral("EtichettaErrati"), QStringLiteral("0"), 1680, 1020, 1080, Qt::AlignRight);
    // The counts are read by Tab, the way a child who does not see them
    // looks at them; a click leaves the focus where the child is typing.
    EtichettaEsatti->setFocusPolicy(Qt::TabFocus);
    EtichettaErrati->setFocusPolicy(Qt::TabFocus);
    setInk(Label1, QColor(0x1b, 0x7a, 0x1b));
    setInk(Label2, QColor(0xb0, 0x20, 0x20));

    ComandoIconaSi = add(new IconLabel(IconKind::Yes), QStringLiteral("ComandoIconaSi"), kIconLeft, kIconTop,
                         kIconSide, kIconSide);
    ComandoIconaNo = add(new IconLabel(IconKind::No), QStringLiteral("ComandoIconaNo"), kIconLeft, kIconTop,
                         kIconSide, kIconSide);
    ComandoIconaNo->hide();

    BottoneAvanti = add(new RoundButton(QStringLiteral("avanti")), QStringLiteral("BottoneAvanti"), kColumnLeft,
                        9480, kColumnWidth, 960);
    BottoneAvanti->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 18));
    BottoneAvanti->setEnabled(false);
    connect(BottoneAvanti, &QPushButton::clicked, this, &ExerciseForm::avantiPressed);

    BottoneLeggi = add(new RoundButton, QStringLiteral("BottoneLeggi"), kSpeakerLeft, kSpeakerTop, kSpeakerSide,
                       kSpeakerSide);
    BottoneLeggi->setIcon(vectorIcon(IconKind::Speaker));
    BottoneLeggi->setIconSize(QSize(256, 256));
    // A click leaves the focus where the child is typing; Tab still reaches
    // the button.
    BottoneLeggi->setFocusPolicy(Qt::TabFocus);
    connect(BottoneLeggi, &QPushButton::clicked, this, &ExerciseForm::readAgain);
    // F5 is taken before any control sees it, answer boxes included. A
    // shortcut would do the same only in a window the window manager has
    // activated, and a window shown without one (or before its activation
    // arrives) still takes the child's typing.
    QCoreApplication::instance()->installEventFilter(this);

    MenuAzzera = addMenuCommand(QStringLiteral("MenuAzzera"), QStringLiteral("Azzera conteggio          "));
    MenuInformazioni = addMenuCommand(QStringLiteral("MenuInformazioni"), QStringLiteral("Informazioni          "));
    mnuEsci = addMenuCommand(QStringLiteral("mnuEsci"), QStringLiteral("Esci"));
    connect(MenuAzzera, &QAction::triggered, this, &ExerciseForm::AzzeraConteggio);
    connect(MenuInformazioni, &QAction::triggered, this, [this] { MostraInformazioni(this); });
    connect(mnuEsci, &QAction::triggered, this, &ExerciseForm::TornaAlMenu);
}

void ExerciseForm::SegnaEsatto()
{
    ComandoIconaSi->show();
    ComandoIconaNo->hide();
    addOne(state().contaEsatti);
    EtichettaEsatti->setText(signSpaced(state().contaEsatti));
    announceNameChange(EtichettaEsatti);
    pending_.verdict = MLSGetString(QStringLiteral("0289"));
    pending_.notice = MLSGetString(QStringLiteral("0350"));
    pending_.afterMs = 0;   // until SuonoSi() plays
    queueReading();
}

void ExerciseForm::SegnaErrato()
{
    ComandoIconaSi->hide();
    ComandoIconaNo->show();
    judgedWrong_ = true;
    addOne(state().contaErrati);
    const int soundMs = SuonoNo();
    EtichettaErrati->setText(signSpaced(state().contaErrati));
    announceNameChange(EtichettaErrati);
    pending_.verdict = MLSGetString(QStringLiteral("0290"));
    pending_.notice = MLSGetString(QStringLiteral("0351"));
    pending_.afterMs = soundMs;
    queueReading();
}

void ExerciseForm::SuonoSi()
{
    const int soundMs = ::SuonoSi();
    if (!pending_.verdict.isEmpty())
        pending_.afterMs = soundMs;
}

void ExerciseForm::AzzeraConteggio()
{
    EtichettaEsatti->setText(QStringLiteral("0"));
    EtichettaErrati->setText(QStringLiteral("0"));
    state().contaEsatti = 0;
    state().contaErrati = 0;
    announceNameChange(EtichettaEsatti);
    announceNameChange(EtichettaErrati);
}

void ExerciseForm::TornaAlMenu()
{
    // Asked in the language chosen last, words and all, even when the child
    // switched language after the start.
    const MessageAnswer answer =
        showStringMessage(this, QStringLiteral("0009"), kTitolo, MessageButtons::YesNo, MessageIcon::Question);
    if (answer != MessageAnswer::Yes)
        return;
    openWindow(homeMenu_);
    state().contaEsatti = 0;
    state().contaErrati = 0;
    close();
}

void ExerciseForm::MostraTermini()
{
    if (!termFrame_)
        return;
    // A style sheet makes the toolkit style every control under it at every
    // opening of the window, so the frame takes its look when first shown.
    if (termFrame_->styleSheet().isEmpty())
        termFrame_->setStyleSheet(QStringLiteral("QGroupBox { background-color: #fffadc; padding-top: 24px; }"
                                                 " QCheckBox::indicator { width: 30px; height: 30px; }"));
    termFrame_->setGeometry(QRect(QPoint(0, 0), area()->size()));
    termFrame_->raise();
    termFrame_->show();
}

void ExerciseForm::ConfermaTermini()
{
    if (!anyTermTicked()) {
        showStringMessage(this, QStringLiteral("0001"), kTitolo, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    termFrame_->hide();
    NuovoEsercizio();
}

void ExerciseForm::answerEntered(DigitBox *, double) {}

bool ExerciseForm::checkSingleAnswer(DigitBox *box, double value, double expected)
{
    if (value != expected) {
        SegnaErrato();
        box->setFocus();
        return false;
    }
    SegnaEsatto();
    SuonoSi();
    BottoneAvanti->setEnabled(true);
    box->setEnabled(false);
    BottoneAvanti->setFocus();
    return true;
}

void ExerciseForm::avantiPressed()
{
    NuovoEsercizio();
    BottoneAvanti->setEnabled(false);
}

DigitBox *ExerciseForm::addAnswerBox(const QString &name, int index, QRect twips, int maxLength,
                                     const QFont &font, QWidget *parent)
{
    auto *box = add(new DigitBox(parent), name, twips.x(), twips.y(), twips.width(), twips.height(), index);
    box->setFont(font);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    watchAnswerBox(box);
    return box;
}

void ExerciseForm::afterLocalise()
{
    auto name = [](QWidget *control, const QString &word) {
        if (control->accessibleName().isEmpty())
            control->setAccessibleName(word);
    };
    name(EtichettaEsatti, Label1->text().trimmed());
    name(EtichettaErrati, Label2->text().trimmed());
    name(ComandoIconaSi, accessibleWord(QStringLiteral("Right")));
    name(ComandoIconaNo, accessibleWord(QStringLiteral("Wrong")));
    // After the window's own controls: a window whose own step gives the
    // focus to none opens with it on its own first control.
    moveControlToEnd(EtichettaEsatti);
    moveControlToEnd(EtichettaErrati);
    moveControlToEnd(BottoneLeggi);
    const QString readAgainWords = MLSGetString(QStringLiteral("0291"));
    name(BottoneLeggi, readAgainWords);
    if (BottoneLeggi->toolTip().isEmpty())
        BottoneLeggi->setToolTip(readAgainWords);
    answerWord_ = accessibleWord(QStringLiteral("Answer"));
    questionWord_ = accessibleWord(QStringLiteral("AnswerTo"));
    for (QObject *control : controls()) {
        if (auto *box = qobject_cast<DigitBox *>(control))
            name(box, answerWord_);
    }
    if (!termBoxes_.empty()) {
        const QString term = accessibleWord(QStringLiteral("Term"));
        for (QCheckBox *box : termBoxes_)
            name(box, fillWord(term, box->text()));
    }
}

void ExerciseForm::watchAnswerBox(DigitBox *box)
{
    if (box->accessibleName().isEmpty())
        box->setAccessibleName(answerWord_);
    connect(box, &DigitBox::enterReleased, this, [this, box] {
        if (box->text().isEmpty())
            return;
        judgedWrong_ = false;
        answerEntered(box, leadingNumber(box->text()));
        // Whichever box the window gave the focus to after a wrong answer
        // offers its digits for retyping.
        if (judgedWrong_) {
            if (auto *retry = qobject_cast<DigitBox *>(focusWidget()); retry && retry->isEnabled())
                retry->offerRetry();
        }
    });
}

void ExerciseForm::addTermFrame(int first, int last, const QString &confirmName, const QString &menuName,
                                const QString &menuCaption)
{
    firstTerm_ = first;
    const QSize design = kDesignTwips;
    termFrame_ = add(new QGroupBox(QStringLiteral("Scegli i termini da utilizzare")),
                     QStringLiteral("CorniceNumeroMassimo"), 0, 0, design.width(), design.height());
    termFrame_->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 20));
    termFrame_->setAlignment(Qt::AlignHCenter);
    termFrame_->hide();

    // More than six terms take two rows: in one row a box would leave its
    // number no room beside the tick on a small screen.
    const int count = last - first + 1;
    const int perRow = count > 6 ? (count + 1) / 2 : count;
    constexpr int kBoxWidth = 1800;
    constexpr int kGap = 120;
    constexpr int kRowPitch = 960;
    const int top = count > perRow ? 3360 : 3840;
    for (int i = first; i <= last; ++i) {
        const int row = (i - first) / perRow;
        const int inRow = row == 0 ? perRow : count - perRow;
        const int left = (design.width() - inRow * (kBoxWidth + kGap) + kGap) / 2;
        auto *box = add(new QCheckBox(QString::number(i), termFrame_), QStringLiteral("OpPrimo"),
                        left + (i - first) % perRow * (kBoxWidth + kGap), top + row * kRowPitch, kBoxWidth, 720, i);
        box->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 20));
        box->setChecked(true);
        box->setCursor(Qt::PointingHandCursor);
        termBoxes_.push_back(box);
    }
    auto *confirm = add(new RoundButton(QStringLiteral("Conferma"), termFrame_), confirmName,
                        (design.width() - 3000) / 2, 6240, 3000, 960);
    confirm->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 18));
    connect(confirm, &QPushButton::clicked, this, &ExerciseForm::ConfermaTermini);

    QAction *menu = addOwnMenuCommand(menuName, menuCaption);
    connect(menu, &QAction::triggered, this, &ExerciseForm::MostraTermini);
}

QCheckBox *ExerciseForm::termBox(int term) const
{
    const int i = term - firstTerm_;
    return i >= 0 && i < static_cast<int>(termBoxes_.size()) ? termBoxes_[static_cast<std::size_t>(i)] : nullptr;
}

bool ExerciseForm::anyTermTicked() const
{
    return std::any_of(termBoxes_.begin(), termBoxes_.end(), [](const QCheckBox *box) { return box->isChecked(); });
}

bool ExerciseForm::termTicked(int term) const
{
    const QCheckBox *box = termBox(term);
    return box && box->isChecked();
}

QAction *ExerciseForm::addOwnMenuCommand(const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, this);
    menuBar()->insertAction(MenuInformazioni, action);
    addControl(action, name);
    return action;
}

QMenu *ExerciseForm::addOwnMenuHeading(const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, this);
    menuBar()->insertMenu(MenuInformazioni, menu);
    addControl(menu->menuAction(), name);
    return menu;
}

void ExerciseForm::setTwipsGeometry(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

bool ExerciseForm::eventFilter(QObject *watched, QEvent *event)
{
    // Named before the toolkit tells a screen reader where the focus went.
    if (event->type() == QEvent::FocusIn) {
        if (const auto found = std::find(asked_.begin(), asked_.end(), watched); found != asked_.end())
            refreshQuestion(*found);
    }
    // A count has no face of its own that shows the focus: its row turns
    // yellow, as the cell being answered does, and stays readable.
    if ((watched == EtichettaEsatti || watched == EtichettaErrati)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const bool focused = event->type() == QEvent::FocusIn;
        for (QLabel *label : {watched == EtichettaEsatti ? Label1 : Label2, static_cast<QLabel *>(watched)}) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, focused ? QColor(255, 255, 0)
                                                       : label->parentWidget()->palette().color(QPalette::Window));
            label->setPalette(palette);
            label->setAutoFillBackground(focused);
            label->update();
        }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F5
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            readAgain();
        return true;
    }
    return FormBase::eventFilter(watched, event);
}

QString ExerciseForm::spokenExercise() const
{
    return {};
}

QString ExerciseForm::questionFor(const QWidget *) const
{
    return spokenExercise();
}

void ExerciseForm::askWith(QWidget *answer)
{
    asked_.push_back(answer);
}

void ExerciseForm::refreshQuestions()
{
    // A description is read only on the focus, so the others wait for it:
    // a board of buttons is not told a hundred times.
    for (QWidget *answer : asked_) {
        if (qobject_cast<DigitBox *>(answer) || answer == focusWidget())
            refreshQuestion(answer);
    }
}

void ExerciseForm::refreshQuestion(QWidget *answer)
{
    // Before localisation there are no words to say it with.
    if (questionWord_.isEmpty())
        return;
    const QString question = questionFor(answer);
    if (qobject_cast<DigitBox *>(answer))
        answer->setAccessibleName(question.isEmpty() ? answerWord_ : fillWord(questionWord_, question));
    else
        answer->setAccessibleDescription(question);
}

void ExerciseForm::announceExercise()
{
    refreshQuestions();
    if (!state().letturaAttivata && !screenReaderListening())
        return;
    pending_.exercise = true;
    queueReading();
}

void ExerciseForm::readAgain()
{
    readAloud(spokenExercise());
}

void ExerciseForm::queueReading()
{
    if (std::exchange(pending_.queued, true))
        return;
    QMetaObject::invokeMethod(this, &ExerciseForm::readPending, Qt::QueuedConnection);
}

void ExerciseForm::readPending()
{
    const Pending pending = std::exchange(pending_, Pending{});
    const bool reading = state().letturaAttivata;
    if (!reading && !screenReaderListening())
        return;
    const QString exercise = pending.exercise ? spokenExercise() : QString();
    announce(this, joinedNews(pending.notice, exercise));
    if (reading)
        readAloud(joinedNews(pending.verdict, exercise), pending.afterMs);
}
