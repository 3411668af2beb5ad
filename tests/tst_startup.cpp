#include "Fakes.h"
#include "app/FormAvvio.h"
#include "app/Startup.h"
#include "frame/About.h"
#include "frame/ExerciseForm.h"
#include "frame/FormBase.h"
#include "lang/Cp1252.h"
#include "lang/Language.h"
#include "resize/clsResize.h"

#include <QLockFile>
#include <QPushButton>
#include <QtTest>

namespace {

// A program folder whose current language is Test.lng with the given
// [Strings] entries.
void writeLanguage(const TestProgram &program, const QByteArray &strings)
{
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Test\"\r\n");
    program.writeFile(QStringLiteral("Test.lng"), "[Strings]\r\n" + strings);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondCopyIsRefused();
    void startShowsSplash();
    void laterWorkWaitsForTheFirstWindow();
    void avvioOpensMainMenu();
    void aboutText_data();
    void aboutText();
    void exitAnsweredNoChangesNothing();
    void exitAnsweredYesEndsProgram();
    void lockIsExclusiveAndSurvivesCrash();
    void exitQuestionSpeaksCurrentLanguage();
    void unreadableLanguageFallsBack_data();
    void unreadableLanguageFallsBack();
    void messageBoxesAreNeverBlank_data();
    void messageBoxesAreNeverBlank();
};

void TestStartup::secondCopyIsRefused()
{
    TestProgram program(TestProgram::Assets::None);
    writeLanguage(program, "0007=\"Quadrivel is already open\"\r\n0008=\"Already open\"\r\n");
    program.guard->otherCopy = true;

    QVERIFY(!Main());
    QCOMPARE(program.dialogs->shown.size(), 1u);
    const ShownMessage &m = program.dialogs->shown.front();
    QCOMPARE(m.text, QStringLiteral("Quadrivel is already open"));
    QCOMPARE(m.title, QStringLiteral("Already open"));
    QCOMPARE(m.icon, MessageIcon::Error);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QVERIFY(openWindowNames().isEmpty());
}

void TestStartup::startShowsSplash()
{
    TestProgram program(TestProgram::Assets::None, QSize(800, 600));
    writeLanguage(program, "0009=\"Back to the menu?\"\r\n");
    state().suoniAttivati = false;
    program.rnd->draw(17, 18);   // the splash's colour: entry 18

    QVERIFY(Main());
    QCOMPARE(MLSGetString(QStringLiteral("0009")), QStringLiteral("Back to the menu?"));
    QVERIFY(state().suoniAttivati);
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormAvvio")});
    auto *splash = qobject_cast<FormBase *>(QApplication::topLevelWidgets().front());
    QVERIFY(splash);
    QCOMPARE(splash->frameGeometry(), QRect(0, 0, 800, 600));
    QCOMPARE(splash->background(), QColor(255, 0, 255));
    QCOMPARE(program.rnd->unscripted, 0);
}

// The sound stream, the speech engine and the theme's icon wait until the
// splash is on the screen, and start once, not at every window.
void TestStartup::laterWorkWaitsForTheFirstWindow()
{
    TestProgram program;
    int runs = 0;
    afterFirstWindowShows([&runs] { ++runs; });
    QTest::qWait(20);
    QCOMPARE(runs, 0);
    QVERIFY(Main());
    QTRY_COMPARE(runs, 1);
    openWindow(QStringLiteral("FormMenu"));
    QTest::qWait(50);
    QCOMPARE(runs, 1);
}

void TestStartup::avvioOpensMainMenu()
{
    TestProgram program;
    QVERIFY(Main());
    auto *splash = qobject_cast<FormAvvio *>(QApplication::topLevelWidgets().front());
    QVERIFY(splash);
    QTest::mouseClick(splash->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormMenu")});
}

void TestStartup::aboutText_data()
{
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<QString>("lines");
    const QString rule = QStringLiteral("\r\n-----------------------\r\n");
    QTest::newRow("none") << QByteArray() << QString();
    QTest::newRow("only 9998") << QByteArray("9998=\"three\"\r\n") << rule + QStringLiteral("three\r\n");
    QTest::newRow("all four") << QByteArray("9996=\"one\"\r\n9997=\"two\"\r\n9998=\"three\"\r\n9999=\"four\"\r\n")
                              << rule + QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n");
    QTest::newRow("empty ones skipped") << QByteArray("9996=\"\"\r\n9997=\"two\"\r\n9999=\"four\"\r\n")
                                        << rule + QStringLiteral("two\r\nfour\r\n");
}

void TestStartup::aboutText()
{
    QFETCH(QByteArray, strings);
    QFETCH(QString, lines);
    TestProgram program(TestProgram::Assets::None);
    writeLanguage(program, strings);

    MostraInformazioni(nullptr);
    QCOMPARE(program.dialogs->shown.size(), 1u);
    const ShownMessage &m = program.dialogs->shown.front();
    QCOMPARE(m.text,
             QStringLiteral("Quadrivel\r\n---------\r\nhttps://quadrivel.example/\r\ninfo@quadrivel.example") + lines);
    QCOMPARE(m.title, QStringLiteral("Quadrivel"));
    QCOMPARE(m.icon, MessageIcon::Information);
}

void TestStartup::exitAnsweredNoChangesNothing()
{
    TestProgram program;
    FormBase *menu = openWindow(QStringLiteral("FormMenu"));
    program.dialogs->answers.push_back(MessageAnswer::No);
    ConfermaUscita(menu);
    QCOMPARE(program.programEnded, 0);
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormMenu")});
    QCOMPARE(program.dialogs->shown.back().icon, MessageIcon::Question);
    QCOMPARE(program.dialogs->shown.back().buttons, MessageButtons::YesNo);
    QVERIFY(state().resizer);
}

void TestStartup::exitAnsweredYesEndsProgram()
{
    TestProgram program;
    FormBase *menu = openWindow(QStringLiteral("FormMenu"));
    program.dialogs->answers.push_back(MessageAnswer::Yes);
    ConfermaUscita(menu);
    QCOMPARE(program.programEnded, 1);
    QVERIFY(!state().resizer);
    QCOMPARE(program.dialogs->shown.back().title, QStringLiteral("Quadrivel"));
}

void TestStartup::lockIsExclusiveAndSurvivesCrash()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quadrivel.lock"));
    {
        LockFileGuard first(path);
        QVERIFY(first.acquire());
        LockFileGuard second(path);
        QVERIFY(!second.acquire());
    }
    // A copy that crashed leaves its lock file behind with a process id that
    // no longer runs: the next start takes it over.
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("2147483646\nquadrivel\n" + QSysInfo::machineHostName().toLocal8Bit() + "\n");
    stale.close();
    LockFileGuard next(path);
    QVERIFY(next.acquire());
}

void TestStartup::exitQuestionSpeaksCurrentLanguage()
{
    TestProgram program;   // Italiano is current
    QVERIFY(Main());
    state().currentLanguageName = QStringLiteral("English");

    auto *window = qobject_cast<ExerciseForm *>(openWindow(QStringLiteral("FormEserci")));
    QVERIFY(window);
    qobject_cast<QAction *>(window->control(QStringLiteral("mnuEsci")))->trigger();
    ConfermaUscita(nullptr);

    // Both boxes read text and words from the language chosen after the start.
    QCOMPARE(program.dialogs->shown.size(), 2u);
    const ShownMessage &exit = program.dialogs->shown[0];
    QCOMPARE(exit.text, QStringLiteral("Do you want to go back to the menu?"));
    QCOMPARE(exit.words.yes, QStringLiteral("Yes"));
    const ShownMessage &quit = program.dialogs->shown[1];
    QCOMPARE(quit.text, QStringLiteral("Do you want to close Quadrivel?"));
    QCOMPARE(quit.words.yes, QStringLiteral("Yes"));
}

void TestStartup::unreadableLanguageFallsBack_data()
{
    QTest::addColumn<QByteArray>("setting");   // null: no LangSetting.ini
    QTest::addColumn<QByteArray>("named");     // null: no Named.lng
    QTest::addColumn<QByteArray>("italiano");  // null: the shipped one; else its bytes
    QTest::addColumn<QString>("question");     // the exit question then shown

    const QByteArray named = "[Language]\r\nCurrentLanguage=\"Named\"\r\n";
    const QString it = QStringLiteral("Vuoi tornare al menu?");
    const QString en = QStringLiteral("Do you want to go back to the menu?");
    const QByteArray none;
    // Random bytes with a line that reads as a key, a large file of text
    // read by the line scan: files, but no language.
    const QByteArray keyLike = QByteArray("\x9c\x01=\"\xfe\"\r\n0009=\"?\"\r\n").append(4000, '\xa7');
    const QByteArray large = QByteArray(2 << 20, 'x').append("\r\n0002=\"y\"\r\n");
    QTest::newRow("no setting") << none << none << none << it;
    QTest::newRow("empty setting") << QByteArray("") << none << none << it;
    QTest::newRow("garbage setting") << QByteArray("\x00\xff\x13garbage\r\n=\"") << none << none << it;
    QTest::newRow("named file missing") << named << none << none << it;
    QTest::newRow("named file empty") << named << QByteArray("") << none << it;
    QTest::newRow("named file garbage") << named << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe") << none << it;
    QTest::newRow("named file with a key-like line") << named << keyLike << none << it;
    QTest::newRow("named file large") << named << large << none << it;
    QTest::newRow("Italiano missing too") << named << keyLike << QByteArray("") << en;
    QTest::newRow("Italiano garbage too") << named << none << keyLike << en;
    QTest::newRow("Italiano large") << none << none << large << en;
}

void TestStartup::unreadableLanguageFallsBack()
{
    QFETCH(QByteArray, setting);
    QFETCH(QByteArray, named);
    QFETCH(QByteArray, italiano);
    QFETCH(QString, question);
    TestProgram program;
    const QString settingFile = QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini"));
    QFile::remove(settingFile);
    if (!setting.isNull())
        program.writeFile(QStringLiteral("LangSetting.ini"), setting);
    if (!named.isNull())
        program.writeFile(QStringLiteral("Named.lng"), named);
    if (!italiano.isNull())
        program.writeFile(QStringLiteral("Italiano.lng"), italiano);

    QVERIFY(Main());
    QCOMPARE(MLSGetString(QStringLiteral("0009")), question);
    QVERIFY(!messageBoxWords().yes.isEmpty());
    QCOMPARE(openWindowNames(), QStringList{QStringLiteral("FormAvvio")});
    for (const QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("FormAvvio"))
            QCOMPARE(w->windowTitle(), QStringLiteral("Quadrivel"));
    }
    ConfermaUscita(nullptr);
    QVERIFY(!program.dialogs->shown.back().text.isEmpty());

    // The child's setting is left as it was.
    QFile file(settingFile);
    if (setting.isNull()) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), setting);
    }

    // With no language file at all there is nothing to fall back on.
    QFile::remove(QDir(program.folder()).filePath(QStringLiteral("Italiano.lng")));
    QFile::remove(QDir(program.folder()).filePath(QStringLiteral("English.lng")));
    QFile::remove(QDir(program.folder()).filePath(QStringLiteral("Named.lng")));
    QCOMPARE(MLSGetString(QStringLiteral("0009")), QString());
}

void TestStartup::messageBoxesAreNeverBlank_data()
{
    QTest::addColumn<QString>("files");      // the shipped language files as the test leaves them
    QTest::addColumn<QString>("back");       // the way back to the menu, asked in an exercise
    QTest::addColumn<QString>("quit");       // the exit question
    QTest::addColumn<QString>("yes");        // and its buttons
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("label");      // the way back as a label reads it: missing is empty
    const QString back = QStringLiteral("Vuoi tornare al menu?");
    const QString quit = QStringLiteral("Vuoi chiudere Quadrivel?");
    // Italiano words its exit question its own way here, unlike the
    // program's last resort.
    const QString italiano = QStringLiteral("Chiudo Quadrivel?");
    QTest::newRow("English lacks both questions") << "English lacks" << back << italiano << "S\u00ec" << "No" << "";
    QTest::newRow("English lacks one question")
        << "English lacks 0010" << "Do you want to go back to the menu?" << italiano << "S\u00ec" << "No"
        << "Do you want to go back to the menu?";
    QTest::newRow("both files broken") << "both broken" << back << quit << "S\u00ec" << "No" << "";
    QTest::newRow("no language file") << "none" << back << quit << "S\u00ec" << "No" << "";
}

// A box the child must answer always has its words, from the next whole
// language or at last from the program's own; labels stay as the file has them.
void TestStartup::messageBoxesAreNeverBlank()
{
    QFETCH(QString, files);
    QFETCH(QString, back);
    QFETCH(QString, quit);
    QFETCH(QString, yes);
    QFETCH(QString, no);
    QFETCH(QString, label);
    TestProgram program;
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"English\"\r\n");
    const auto shipped = [&program](const QString &name) {
        QFile file(QDir(program.folder()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QByteArray english = shipped(QStringLiteral("English.lng"));
    const auto drop = [&english](const QByteArray &id) {
        const qsizetype at = english.indexOf("\r\n" + id + '=');
        QVERIFY(at >= 0);
        english.remove(at + 2, english.indexOf("\r\n", at + 2) - at);
    };
    // A menu title and nothing else: a file, but no whole language.
    const QByteArray broken = "[FormMenu]\r\nFormMenu.Caption=\"Menu\"\r\n";
    if (files.startsWith(QLatin1String("English lacks"))) {
        if (files == QLatin1String("English lacks"))
            drop("0009");
        drop("0010");
        program.writeFile(QStringLiteral("English.lng"), english);
        QByteArray italiano = shipped(QStringLiteral("Italiano.lng"));
        QVERIFY(italiano.contains("\r\n0010=\"Vuoi chiudere Quadrivel?\"\r\n"));
        program.writeFile(QStringLiteral("Italiano.lng"),
                          italiano.replace("0010=\"Vuoi chiudere Quadrivel?\"", "0010=\"Chiudo Quadrivel?\""));
    } else if (files == QLatin1String("both broken")) {
        program.writeFile(QStringLiteral("English.lng"), broken);
        program.writeFile(QStringLiteral("Italiano.lng"), broken);
    } else {
        QVERIFY(QFile::remove(QDir(program.folder()).filePath(QStringLiteral("English.lng"))));
        QVERIFY(QFile::remove(QDir(program.folder()).filePath(QStringLiteral("Italiano.lng"))));
    }

    QVERIFY(Main());
    QCOMPARE(MLSGetString(QStringLiteral("0009")), label);
    auto *window = qobject_cast<ExerciseForm *>(openWindow(QStringLiteral("FormEserci")));
    QVERIFY(window);
    program.dialogs->shown.clear();
    qobject_cast<QAction *>(window->control(QStringLiteral("mnuEsci")))->trigger();
    ConfermaUscita(nullptr);
    QCOMPARE(program.dialogs->shown.size(), 2u);
    QCOMPARE(program.dialogs->shown[0].text, back);
    QCOMPARE(program.dialogs->shown[1].text, quit);
    QCOMPARE(program.dialogs->shown[1].words.yes, yes);
    QCOMPARE(program.dialogs->shown[1].words.no, no);
    QCOMPARE(program.programEnded, 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
