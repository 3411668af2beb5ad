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
    void exerciseNews_data();
    void exerciseNews();
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
    QCOMPARE(nameOf(QStringLiteral("Text1")), QStringLiteral("answer"));
    QCOMPARE(nameOf(QStringLiteral("BottoneLeggi")), QStringLiteral("Read it again (F5)"));
    // The counts are reached by Tab.
    QVERIFY(qobject_cast<QWidget *>(form->control(QStringLiteral("EtichettaEsatti")))->focusPolicy() & Qt::TabFocus);
    auto *box = qobject_cast<QLineEdit *>(form->control(QStringLiteral("Text1")));
    QTest::keyClicks(box, QStringLiteral("999"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(nameOf(QStringLiteral("EtichettaErrati")), QStringLiteral("Wrong 1"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form->control(QStringLiteral("ComandoIconaNo")))->role(),
             QAccessible::Graphic);
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

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
