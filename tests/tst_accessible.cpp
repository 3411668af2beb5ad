// What a screen reader finds in every window of the registry: windows that
// are windows, named by their titles; no control that takes the focus or
// shows a number without a name that says what it is; every button on the
// Tab chain. Windows added to the registry are walked with no change here.

#include "Fakes.h"
#include "app/Windows.h"
#include "frame/Accessibility.h"
#include "frame/FormBase.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

namespace {

bool hasLetter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// Digits, perhaps with blanks and signs: a number read out alone.
bool isNumber(const QString &text)
{
    const QString t = text.simplified();
    return !t.isEmpty() && !hasLetter(t) && std::any_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
}

QString shownText(QAccessibleInterface *iface)
{
    QObject *object = iface->object();
    if (auto *label = qobject_cast<QLabel *>(object))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(object))
        return edit->text();
    return iface->text(QAccessible::Value);
}

QString pathOf(QAccessibleInterface *iface)
{
    QObject *o = iface->object();
    QString name = o ? o->objectName() : QStringLiteral("?");
    if (o && o->property("index").isValid())
        name += QStringLiteral("(%1)").arg(o->property("index").toInt());
    return name + QStringLiteral(" [role %1]").arg(iface->role());
}

// The controls a screen reader could not name: focusable ones without a
// name, and ones that show a number whose name does not say what it counts
// (a button is named by what it does, so a number may name it).
void walk(QAccessibleInterface *iface, QStringList &faults)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        const QString name = child->text(QAccessible::Name).trimmed();
        const bool button = child->role() == QAccessible::PushButton;
        if (child->state().focusable && name.isEmpty())
            faults << pathOf(child) + QStringLiteral(": takes the focus, has no name");
        else if (!button && isNumber(shownText(child)) && !hasLetter(name))
            faults << pathOf(child) + QStringLiteral(": shows %1, named \"%2\"").arg(shownText(child), name);
        walk(child, faults);
    }
}

QStringList builtWindows()
{
    QStringList names;
    for (const auto &[name, factory] : programWindows()) {
        if (factory)
            names << name;
    }
    return names;
}

// The news a screen reader is given: the name of each notification as it
// shows.
class NewsRecorder final : public QObject {
public:
    QStringList news;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(watched);
            if (iface && iface->role() == QAccessible::Notification)
                news << iface->text(QAccessible::Name);
        }
        return false;
    }
};

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindow_data();
    void everyWindow();
    void countsAndIconsRead();
    void questionWithTheFocusedAnswer_data();
    void questionWithTheFocusedAnswer();
    void exerciseNews_data();
    void exerciseNews();
    void newsOfOneTurnToldTogether();
};

void TestAccessible::everyWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("language");
    for (const QString &name : builtWindows()) {
        for (const char *language : {"Italiano", "English"})
            QTest::newRow(qPrintable(name + u' ' + QLatin1String(language))) << name << QString::fromLatin1(language);
    }
}

void TestAccessible::everyWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, language);
    TestProgram program;
    state().currentLanguageName = language;
    FormBase *form = openWindow(window);
    QVERIFY(form);
    // The speaker button is there to be reached, never where a window starts.
    if (QObject *speaker = form->control(QStringLiteral("BottoneLeggi")))
        QVERIFY(form->focusWidget() != speaker);

    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(form);
    QVERIFY(root);
    QCOMPARE(root->role(), QAccessible::Window);
    QVERIFY(!form->windowTitle().isEmpty());
    QCOMPARE(root->text(QAccessible::Name), form->windowTitle());

    QStringList faults;
    walk(root, faults);
    // The choose-terms frame covers the window when it is open.
    for (QObject *control : form->controls()) {
        auto *action = qobject_cast<QAction *>(control);
        if (action && (control->objectName() == QLatin1String("MenuNumeroMassimo")
                       || control->objectName() == QLatin1String("MenuScegli"))) {
            action->trigger();
            walk(root, faults);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    // Tab reaches every button that can be pressed.
    QSet<QWidget *> chain;
    for (QWidget *w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.insert(w);
    }
    for (QObject *control : form->controls()) {
        auto *button = qobject_cast<QAbstractButton *>(control);
        if (button && button->isEnabled() && button->isVisibleTo(form))
            QVERIFY2(chain.contains(button), qPrintable(pathOf(QAccessible::queryAccessibleInterface(button))));
    }
}

void TestAccessible::countsAndIconsRead()
{
    TestProgram program;
    state().currentLanguageName = QStringLiteral("English");
    FormBase *form = openWindow(QStringLiteral("FormEserci"));
    QVERIFY(form);
    auto nameOf = [form](const QString &control) {
        return QAccessible::queryAccessibleInterface(form->control(control))->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(QStringLiteral("EtichettaEsatti")), QStringLiteral("Right 0"));
    QCOMPARE(nameOf(QStringLiteral("ComandoIconaNo")), QStringLiteral("wrong"));
    QCOMPARE(nameOf(QStringLiteral("Text1")), QStringLiteral("What is 0 times 0? answer"));
    QCOMPARE(nameOf(QStringLiteral("BottoneLeggi")), QStringLiteral("Read it again (F5)"));
    // The counts are reached by Tab, and show where Tab went.
    auto *count = qobject_cast<QWidget *>(form->control(QStringLiteral("EtichettaEsatti")));
    QVERIFY(count->focusPolicy() & Qt::TabFocus);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    // The row of the count in focus turns yellow: its title and its number.
    auto shownFocused = [form](QWidget *control) {
        auto *title = qobject_cast<QWidget *>(form->control(QStringLiteral("Label1")));
        return title->grab().toImage().pixelColor(1, 1) == QColor(255, 255, 0)
               && control->grab().toImage().pixelColor(1, 1) == QColor(255, 255, 0);
    };
    count->setFocus(Qt::TabFocusReason);
    QVERIFY(shownFocused(count));
    qobject_cast<QWidget *>(form->control(QStringLiteral("Text1")))->setFocus(Qt::TabFocusReason);
    QVERIFY(!shownFocused(count));
    auto *box = qobject_cast<QLineEdit *>(form->control(QStringLiteral("Text1")));
    QTest::keyClicks(box, QStringLiteral("999"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(nameOf(QStringLiteral("EtichettaErrati")), QStringLiteral("Wrong 1"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form->control(QStringLiteral("ComandoIconaNo")))->role(),
             QAccessible::Graphic);
}

// What a screen reader hears on the focused control must be an answer
// control that carries the question: an answer box in its name, a button of
// the board (which is named by its number) in its description.
namespace {

// What a screen reader hears of an answer control: an answer box carries
// its question in its name, a button of the board (named by its number) in
// its description.
QString questionHeard(QWidget *answer)
{
    const bool box = qobject_cast<QLineEdit *>(answer);
    return QAccessible::queryAccessibleInterface(answer)->text(box ? QAccessible::Name : QAccessible::Description);
}

void verifyFocusedQuestion(FormBase *form, const QStringList &question)
{
    QWidget *focused = form->focusWidget();
    QVERIFY2(focused, "no control has the focus");
    QVERIFY(focused->isEnabled());
    QVERIFY2(qobject_cast<QLineEdit *>(focused) || focused->objectName() == QLatin1String("Numero"),
             qPrintable(focused->objectName()));
    for (const QString &words : question)
        QVERIFY2(questionHeard(focused).contains(words), qPrintable(questionHeard(focused)));
}

} // namespace

void TestAccessible::questionWithTheFocusedAnswer_data()
{
    // The opening's draws give floor(0.35 x range), the later ones
    // floor(0.75 x range); the answer is the opening exercise's right one,
    // after which comes the next step or, through "avanti", a new exercise.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("nextQuestion");
    auto row = [](const char *window, const QStringList &question, const char *answer, const QStringList &next) {
        QTest::newRow(window) << QString::fromLatin1(window) << question << QString::fromLatin1(answer) << next;
    };
    row("FormEserci", {"What is 3 times 3?"}, "9", {"What is 8 times 8?"});
    row("Form1", {"Counting in 4s, what number comes after 0?"}, "4", {"Counting in 4s, what number comes after 4?"});
    row("Form2", {"What is 6 times 4?"}, "24", {"What is 6 times 8?"});
    row("FormEsercizi", {"What is 3 times 3?"}, "9", {"What is 8 times 8?"});
    row("FormEsercizi2", {"What is 3 times 3?"}, "9", {"What is 8 times 8?"});
    row("Formu", {"What is 4 times 4?"}, "16", {"What is 7 times 7?"});
    row("FormdauS", {"What is 11 times 8?"}, "88", {"What is 22 times 3?"});
    row("formdau99", {"What is 24 times 4?"}, "96", {"What is 67 times 1?"});
    row("Formdau", {"What is 24 times 4?"}, "96", {"What is 67 times 7?"});
    row("FormhdauS", {"What is 111 times 8?"}, "888", {"What is 222 times 3?"});
    row("Formhdau", {"What is 124 times 4?"}, "496", {"What is 367 times 2?"});
    row("Reticoli", {"What is 4 times 4?"}, "16", {"What is 8 times 8?"});
    row("FormEserc1", {"4 goats", "four legs"}, "16", {"8 trucks", "eight wheels"});
    row("FormEserc2", {"0 goats", "four legs"}, "0", {"goats: 1", "legs"});
}

void TestAccessible::questionWithTheFocusedAnswer()
{
    QFETCH(QString, window);
    QFETCH(QStringList, question);
    QFETCH(QString, answer);
    QFETCH(QStringList, nextQuestion);
    TestProgram program;
    state().currentLanguageName = QStringLiteral("English");
    constexpr int kDraws = 40;   // more than any window draws for an exercise
    for (int i = 0; i < kDraws; ++i)
        program.rnd->push(0.35);
    FormBase *form = openWindow(window);
    QVERIFY(form);
    // Focus events go to an active window only.
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    while (program.rnd->remaining() > 0)
        program.rnd->next();
    for (int i = 0; i < kDraws; ++i)
        program.rnd->push(0.75);
    verifyFocusedQuestion(form, question);
    if (QTest::currentTestFailed())
        return;

    QWidget *answered = form->focusWidget();
    if (auto *box = qobject_cast<QLineEdit *>(answered)) {
        QTest::keyClicks(box, answer);
        QTest::keyClick(box, Qt::Key_Return);
    } else {
        // As a child on the keyboard: Tab to the button, then Space.
        answered = qobject_cast<QWidget *>(form->control(QStringLiteral("Numero"), answer.toInt()));
        answered->setFocus();
        QTest::keyClick(answered, Qt::Key_Space);
    }
    // An answer closed by a right answer stays named by its question.
    if (!answered->isEnabled()) {
        for (const QString &words : question)
            QVERIFY2(questionHeard(answered).contains(words), qPrintable(questionHeard(answered)));
    }
    auto *avanti = qobject_cast<QAbstractButton *>(form->control(QStringLiteral("BottoneAvanti")));
    if (avanti->isEnabled())
        avanti->click();
    verifyFocusedQuestion(form, nextQuestion);
}

// A screen reader hears the question when the window opens, each verdict,
// and the next question after "avanti", with reading aloud on or off, and
// finds the program's locale to be that of the language file.
void TestAccessible::exerciseNews_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("readingAloud");
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<QString>("locale");
    QTest::newRow("Italiano") << QStringLiteral("Italiano") << false
                              << QStringList{QStringLiteral("Quanto fa 7 per 6?"), QStringLiteral("Sbagliato"),
                                             QStringLiteral("Esatto"), QStringLiteral("Quanto fa 2 per 10?")}
                              << QStringLiteral("it_IT");
    QTest::newRow("English, reading aloud")
        << QStringLiteral("English") << true
        << QStringList{QStringLiteral("What is 7 times 6?"), QStringLiteral("Wrong"), QStringLiteral("Right"),
                       QStringLiteral("What is 2 times 10?")}
        << QStringLiteral("en_GB");
}

void TestAccessible::exerciseNews()
{
    QFETCH(QString, language);
    QFETCH(bool, readingAloud);
    QFETCH(QStringList, heard);
    QFETCH(QString, locale);
    TestProgram program;
    state().currentLanguageName = language;
    state().letturaAttivata = readingAloud;
    standInForScreenReader(true);
    const auto done = qScopeGuard([] { standInForScreenReader(false); });
    NewsRecorder recorder;
    qApp->installEventFilter(&recorder);
    QStringList &news = recorder.news;

    program.rnd->draw(0, 18);   // the colour, then the factors
    program.rnd->draw(7, 11);
    program.rnd->draw(6, 11);
    FormBase *form = openWindow(QStringLiteral("FormEserci"));
    QVERIFY(form);
    QCOMPARE(QLocale().name(), locale);
    QTRY_COMPARE(news, heard.mid(0, 1));
    auto *box = qobject_cast<QLineEdit *>(form->control(QStringLiteral("Text1")));
    QTest::keyClicks(box, QStringLiteral("41"));
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE(news, heard.mid(0, 2));
    // The same verdict again is news again.
    QTest::keyClick(box, Qt::Key_Return);
    heard.insert(2, heard.at(1));
    QTRY_COMPARE(news, heard.mid(0, 3));
    program.rnd->draw(2, 4);   // the yes sound
    box->clear();
    QTest::keyClicks(box, QStringLiteral("42"));
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE(news, heard.mid(0, 4));
    program.rnd->draw(3, 18);
    program.rnd->draw(2, 11);
    program.rnd->draw(10, 11);
    qobject_cast<QPushButton *>(form->control(QStringLiteral("BottoneAvanti")))->click();
    QTRY_COMPARE(news, heard);
}

// A digit dropped that ends a step: both pieces of news in one notification,
// for a second one at once would take the first one's words.
void TestAccessible::newsOfOneTurnToldTogether()
{
    installAccessibility();
    standInForScreenReader(true);
    const auto done = qScopeGuard([] { standInForScreenReader(false); });
    NewsRecorder recorder;
    qApp->installEventFilter(&recorder);
    QWidget window;
    window.show();
    announce(&window, QStringLiteral("2 put in the units"));
    announce(&window, QStringLiteral("Well done!"));
    QTRY_COMPARE(recorder.news, QStringList{QStringLiteral("2 put in the units. Well done!")});
    announce(&window, QStringLiteral("Well done!"));
    QTRY_COMPARE(recorder.news.size(), 2);
    QCOMPARE(recorder.news.last(), QStringLiteral("Well done!"));
}

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
