// A seeded monkey for every window in the registry: random clicks on the
// visible enabled controls, keys, menu-bar commands and drags, with message
// boxes answered Yes or No at random. After each event the program must
// still hold together: counts never negative, never lower except through
// "Azzera conteggio" or arriving at a menu, the count labels showing the
// counts, exactly one window open, and no event drawing without end.
//
// QUADRIVEL_MONKEY_EVENTS sets the events per window (default 3000) and
// QUADRIVEL_MONKEY_SEED the seed, for long runs and for replaying a failure.

#include "Fakes.h"
#include "app/MenuForm.h"
#include "app/Windows.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QtTest>

namespace {

constexpr int kDefaultEvents = 3000;
constexpr quint32 kDefaultSeed = 20260909;
// Far above what any exercise draws in one step with a fair generator.
constexpr std::size_t kMaxDrawsPerEvent = 10000;

FormBase *openFresh(const QString &window)
{
    closeAllWindows();
    state().contaEsatti = 0;
    state().contaErrati = 0;
    return openWindow(window);
}

QList<FormBase *> visibleWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<FormBase *> open;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<FormBase *>(w); f && f->isVisible())
            open << f;
    }
    return open;
}

// The number a count label shows; -1 when the window has no such label.
int shownCount(FormBase *w, const char *name)
{
    auto *label = qobject_cast<QLabel *>(w->control(QLatin1String(name)));
    return label ? label->text().trimmed().toInt() : -1;
}

class Monkey {
public:
    explicit Monkey(quint32 seed) : random_(seed) {}

    QRandomGenerator &random() { return random_; }

    // Sends one random event to w; returns what it did.
    QString act(FormBase *w)
    {
        reset_ = false;
        closed_ = false;
        const quint32 kind = random_.bounded(1000);
        if (kind < 300)
            return click(w);
        if (kind < 720)
            return key(w);
        if (kind < 840)
            return typeNumber(w);
        if (kind < 920)
            return menuCommand(w);
        if (kind < 985)
            return drag(w);
        if (kind < 995)
            return untickBoxes(w);
        closed_ = true;
        w->close();
        return QStringLiteral("window closed");
    }

    // The last event was "Azzera conteggio".
    bool resetCounts() const { return reset_; }
    // The last event closed the window, which ends the program.
    bool closedWindow() const { return closed_; }

private:
    QList<QWidget *> controls(FormBase *w)
    {
        QList<QWidget *> found;
        for (QWidget *c : w->findChildren<QWidget *>()) {
            if (c->window() == w && c->isVisible() && c->isEnabled() && !c->size().isEmpty()
                && !qobject_cast<QMenuBar *>(c) && !qobject_cast<QMenuBar *>(c->parentWidget()))
                found << c;
        }
        return found;
    }

    QPoint pointIn(const QWidget *c)
    {
        return QPoint(random_.bounded(c->width()), random_.bounded(c->height()));
    }

    // A point on a random control; the click lands on whatever is on top
    // there, as on screen (a frame may cover the control).
    QString click(FormBase *w)
    {
        const QList<QWidget *> all = controls(w);
        if (all.isEmpty())
            return QStringLiteral("no control to click");
        QWidget *c = all[random_.bounded(all.size())];
        const QPoint at = c->mapTo(w, pointIn(c));
        QWidget *top = w->childAt(at);
        if (!top)
            top = w;
        const QString name = top->objectName();
        QTest::mouseClick(top, Qt::LeftButton, Qt::NoModifier, top->mapFrom(w, at));
        return QStringLiteral("click on %1").arg(name);
    }

    // A child unticking a whole row of boxes, all of them or all but one:
    // the choices at the edge that random clicks alone seldom reach.
    QString untickBoxes(FormBase *w)
    {
        QList<QPointer<QCheckBox>> ticked;
        for (QWidget *c : controls(w)) {
            if (auto *box = qobject_cast<QCheckBox *>(c); box && box->isChecked())
                ticked << box;
        }
        if (!ticked.isEmpty() && random_.bounded(2))
            ticked.removeAt(random_.bounded(ticked.size()));
        for (const QPointer<QCheckBox> &box : ticked) {
            if (box && box->isVisible() && box->isEnabled())
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
        }
        return QStringLiteral("%1 boxes unticked").arg(ticked.size());
    }

    static QWidget *keyTarget(FormBase *w)
    {
        QWidget *f = QApplication::focusWidget();
        if (!f || f->window() != w)
            f = w->focusWidget();
        return f && f->isVisible() && f->isEnabled() ? f : w;
    }

    static void sendKey(QWidget *target, QEvent::Type type, int key, const QString &text, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
        QApplication::sendEvent(target, &event);
    }

    static void stroke(QWidget *target, int key, const QString &text)
    {
        QPointer<QWidget> t(target);
        sendKey(t, QEvent::KeyPress, key, text);
        if (t)
            sendKey(t, QEvent::KeyRelease, key, text);
    }

    QString key(FormBase *w)
    {
        QWidget *target = keyTarget(w);
        const QString name = target->objectName();
        switch (random_.bounded(9)) {
        case 0:
        case 1: {
            const int digit = random_.bounded(10);
            stroke(target, Qt::Key_0 + digit, QString::number(digit));
            return QStringLiteral("digit %1 in %2").arg(digit).arg(name);
        }
        case 2: {
            const int letter = random_.bounded(26);
            stroke(target, Qt::Key_A + letter, QString(QChar(u'a' + letter)));
            return QStringLiteral("letter in %1").arg(name);
        }
        case 3:
            sendKey(target, QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
            return QStringLiteral("Enter pressed in %1").arg(name);
        case 4: {
            const bool repeat = random_.bounded(3) == 0;
            sendKey(target, QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"), repeat);
            return QStringLiteral("Enter released%1 in %2").arg(repeat ? QStringLiteral(" (repeat)") : QString(), name);
        }
        case 5:
            stroke(target, Qt::Key_Backspace, QStringLiteral("\b"));
            return QStringLiteral("Backspace in %1").arg(name);
        case 6:
            stroke(target, Qt::Key_Escape, QStringLiteral("\x1b"));
            return QStringLiteral("Escape in %1").arg(name);
        case 7:
            stroke(target, Qt::Key_Tab, QStringLiteral("\t"));
            return QStringLiteral("Tab in %1").arg(name);
        default:
            stroke(target, Qt::Key_Space, QStringLiteral(" "));
            return QStringLiteral("Space in %1").arg(name);
        }
    }

    // A whole answer: the box emptied, a number, Enter. Mostly a product of
    // two terms up to 10, which many exercises ask for.
    QString typeNumber(FormBase *w)
    {
        QPointer<QWidget> target(keyTarget(w));
        const QString name = target->objectName();
        const int n = random_.bounded(4) ? random_.bounded(11) * random_.bounded(11) : random_.bounded(1000);
        for (int i = 0; i < 3 && target; ++i)
            stroke(target, Qt::Key_Backspace, QStringLiteral("\b"));
        for (const QChar c : QString::number(n)) {
            if (target)
                stroke(target, Qt::Key_0 + (c.unicode() - u'0'), QString(c));
        }
        if (target)
            stroke(target, Qt::Key_Return, QStringLiteral("\r"));
        return QStringLiteral("%1 and Enter in %2").arg(n).arg(name);
    }

    QString menuCommand(FormBase *w)
    {
        QList<QAction *> commands;
        for (QObject *c : w->controls()) {
            if (auto *a = qobject_cast<QAction *>(c); a && a->isEnabled() && a->isVisible() && !a->menu())
                commands << a;
        }
        if (commands.isEmpty())
            return QStringLiteral("no menu command");
        QAction *a = commands[random_.bounded(commands.size())];
        const QString name = a->objectName();
        reset_ = name == QLatin1String("MenuAzzera");
        a->trigger();
        return QStringLiteral("menu command %1").arg(name);
    }

    // Press on a control, a few moves across the window, release: the
    // pressed control keeps the mouse until the release, as on screen.
    QString drag(FormBase *w)
    {
        const QList<QWidget *> all = controls(w);
        if (all.isEmpty())
            return QStringLiteral("no control to drag");
        QPointer<QWidget> source(all[random_.bounded(all.size())]);
        const QString name = source->objectName();
        QPoint at = pointIn(source);
        auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
            if (!source)
                return;
            QMouseEvent event(type, at, source->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(source, &event);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        const int moves = 1 + random_.bounded(3);
        for (int i = 0; i < moves && source; ++i) {
            const QPoint inWindow(random_.bounded(qMax(1, w->width())), random_.bounded(qMax(1, w->height())));
            at = source->mapFrom(w, inWindow);
            send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        }
        send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
        return QStringLiteral("drag from %1").arg(name);
    }

    QRandomGenerator random_;
    bool reset_ = false;
    bool closed_ = false;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindow_data();
    void everyWindow();
};

void TestMonkey::everyWindow_data()
{
    QTest::addColumn<QString>("window");
    for (const auto &[name, make] : programWindows()) {
        if (make)
            QTest::newRow(qPrintable(name)) << name;
    }
}

void TestMonkey::everyWindow()
{
    QFETCH(QString, window);
    const int events = qEnvironmentVariableIsSet("QUADRIVEL_MONKEY_EVENTS")
        ? qEnvironmentVariableIntValue("QUADRIVEL_MONKEY_EVENTS")
        : kDefaultEvents;
    quint32 seed = qEnvironmentVariableIsSet("QUADRIVEL_MONKEY_SEED")
        ? quint32(qEnvironmentVariableIntValue("QUADRIVEL_MONKEY_SEED"))
        : kDefaultSeed;
    for (const QChar c : window)
        seed = seed * 31 + c.unicode();

    TestProgram program;
    Monkey monkey(seed);
    QRandomGenerator draws(seed + 1);
    program.rnd->unscriptedSource = &draws;
    program.dialogs->randomAnswers = &monkey.random();

    QPointer<FormBase> w = openFresh(window);
    QVERIFY(w);
    int ended = 0;
    int right = 0;
    int wrong = 0;
    int windowChanges = 0;
    for (int n = 1; n <= events; ++n) {
        const qint16 esatti = state().contaEsatti;
        const qint16 errati = state().contaErrati;
        program.rnd->drawLimit = program.rnd->drawn + kMaxDrawsPerEvent;
        program.rnd->drawLimitContext = QStringLiteral("seed %1, event %2").arg(seed).arg(n).toUtf8();
        const QString what = monkey.act(w);
        QCoreApplication::processEvents();
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        const QString where = QStringLiteral("seed %1, event %2 in %3: %4").arg(seed).arg(n).arg(w ? w->objectName() : window, what);

        right += state().contaEsatti > esatti;
        wrong += state().contaErrati > errati;
        const QList<FormBase *> open = visibleWindows();
        if (program.programEnded != ended || (monkey.closedWindow() && open.isEmpty())) {
            // The program would end here; start it again on the window under test.
            ended = program.programEnded;
            w = openFresh(window);
            continue;
        }
        QVERIFY2(open.size() == 1, qPrintable(where + QStringLiteral(": %1 windows open").arg(open.size())));
        FormBase *now = open.front();
        const bool arrivedAtMenu = now != w && qobject_cast<MenuForm *>(now);
        QVERIFY2(state().contaEsatti >= 0 && state().contaErrati >= 0, qPrintable(where + QStringLiteral(": negative count")));
        if (!monkey.resetCounts() && !arrivedAtMenu)
            QVERIFY2(state().contaEsatti >= esatti && state().contaErrati >= errati,
                     qPrintable(where + QStringLiteral(": counts went from %1/%2 to %3/%4")
                                            .arg(esatti).arg(errati).arg(state().contaEsatti).arg(state().contaErrati)));
        for (const auto &[label, count] : {std::pair("EtichettaEsatti", state().contaEsatti),
                                           std::pair("EtichettaErrati", state().contaErrati)}) {
            const int shown = shownCount(now, label);
            QVERIFY2(shown < 0 || shown == count,
                     qPrintable(where + QStringLiteral(": %1 shows %2, the count is %3").arg(label).arg(shown).arg(count)));
        }
        windowChanges += now != w;
        w = now;
        // Wandering off through the menus is part of the game, for a while.
        if (w->objectName() != window && monkey.random().bounded(20) == 0)
            w = openFresh(window);
    }
    qInfo("%d events: %d counted right, %d counted wrong, %d window changes", events, right, wrong, windowChanges);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
