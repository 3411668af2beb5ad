#include "Fakes.h"
#include "app/Menus.h"
#include "app/Startup.h"
#include "frame/FormBase.h"
#include "frame/Shapes.h"
#include "lang/IniFile.h"
#include "lang/Language.h"
#include "lang/Localise.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QtTest>

namespace {

// A window of each kind of control localisation meets.
class LocForm : public FormBase {
public:
    explicit LocForm(const QString &title = QStringLiteral("Titolo"))
        : FormBase(QStringLiteral("LocForm"), title, {9000, 6000})
    {
        setWindowFlag(Qt::FramelessWindowHint);
        setProperty("tag", QStringLiteral("@LT"));
        add(new QLabel(QStringLiteral("Etichetta")), QStringLiteral("Label1"), 1500, 3000, 3000, 1500);
        add(new QPushButton(QStringLiteral("Vai")), QStringLiteral("Command1"), 0, 0, 1500, 600)
            ->setProperty("tag", QStringLiteral("layout"));
        add(new QCheckBox(QStringLiteral("3")), QStringLiteral("OpPrimo"), 0, 600, 900, 600, 3);
        add(new QLineEdit(QStringLiteral("12")), QStringLiteral("Text1"), 0, 1200, 900, 600);
        auto *tabs = add(new QTabWidget, QStringLiteral("Schede"), 4500, 0, 3000, 1500);
        tabs->addTab(new QWidget, QStringLiteral("Uno"));
        tabs->addTab(new QWidget, QStringLiteral("Due"));
        QMenu *menu = addMenuHeading(QStringLiteral("mnuFile"), QStringLiteral("File"));
        addMenuItem(menu, QStringLiteral("mnuEsci"), QStringLiteral("Esci"));
    }
};

// The current language is Test.lng, whose [LocForm] section holds keys.
void writeLanguage(const TestProgram &program, const QByteArray &keys)
{
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Test\"\r\n");
    program.writeFile(QStringLiteral("Test.lng"), "[Strings]\r\n0009=\"Esci?\"\r\n[LocForm]\r\n" + keys);
    state().currentLanguageName = readLanguageSetting();
}

// What localisation may have set: "Caption", "ToolTipText", "Tag" or
// "TabCaption(i)" of a control (by its key) or of the window (empty key).
QString readBack(const FormBase &form, const QString &key, const QString &what)
{
    if (key.isEmpty())
        return what == QLatin1String("Caption") ? form.windowTitle() : form.property("tag").toString();
    const qsizetype open = key.indexOf(QLatin1Char('('));
    QObject *control = open < 0 ? form.control(key) : form.control(key.left(open), key.mid(open + 1).chopped(1).toInt());
    if (what.startsWith(QLatin1String("TabCaption(")))
        return qobject_cast<QTabWidget *>(control)->tabText(what.mid(11).chopped(1).toInt());
    if (what == QLatin1String("Tag"))
        return control->property("tag").toString();
    if (what == QLatin1String("AccessibleName"))
        return qobject_cast<QWidget *>(control)->accessibleName();
    if (what == QLatin1String("ToolTipText")) {
        if (auto *action = qobject_cast<QAction *>(control))
            return action->toolTip();
        return qobject_cast<QWidget *>(control)->toolTip();
    }
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    return captionOf(control);
}

QStringList itemCaptions(const FormMenu &menu)
{
    QStringList captions;
    for (const QAction *item : menu.languageItems())
        captions << item->text();
    return captions;
}

QStringList checkedCaptions(const FormMenu &menu)
{
    QStringList captions;
    for (const QAction *item : menu.languageItems()) {
        if (item->isChecked())
            captions << item->text();
    }
    return captions;
}

// Base names of the .lng files, in the order the folder lists them.
QStringList languagesOnDisk(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, {QStringLiteral("*.lng")}, QDir::Files | QDir::CaseSensitive);
    while (it.hasNext())
        names << it.nextFileInfo().completeBaseName();
    return names;
}

FormMenu *openMenu()
{
    return qobject_cast<FormMenu *>(openWindow(QStringLiteral("FormMenu")));
}

} // namespace

class TestLocalise : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void localiseWindow_data();
    void localiseWindow();
    void emptyTitleIsKept();
    void tagFromLanguageSteersResizer();
    void inputWaitsForTheWalk_data();
    void inputWaitsForTheWalk();

    void menuListsAndMarks_data();
    void menuListsAndMarks();
    void noLanguageFile();
    void missingMenuCaptionEmptiesTitle();
    void choosingLanguage();
    void standInLanguage_data();
    void standInLanguage();
    void exitQuestionFollowsEveryChoice();
    void choiceSurvivesReadOnlyFolder_data();
    void choiceSurvivesReadOnlyFolder();
    void choiceThatCannotBeKept_data();
    void choiceThatCannotBeKept();
};

void TestLocalise::localiseWindow_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");

    QTest::newRow("title") << QByteArray("LocForm.Caption=\"Window\"\r\n") << QString() << "Caption" << "Window";
    QTest::newRow("title, no key") << QByteArray() << QString() << "Caption" << "";
    QTest::newRow("title, empty value") << QByteArray("LocForm.Caption=\r\n") << QString() << "Caption" << "";
    QTest::newRow("window tag") << QByteArray("LocForm.Tag=\"@\"\r\n") << QString() << "Tag" << "@";
    QTest::newRow("window tag, no key") << QByteArray() << QString() << "Tag" << "";
    QTest::newRow("caption") << QByteArray("Label1.Caption=\"Label\"\r\n") << "Label1" << "Caption" << "Label";
    QTest::newRow("empty caption keeps layout")
        << QByteArray("Label1.Caption=\"\"\r\n") << "Label1" << "Caption" << "Etichetta";
    QTest::newRow("tooltip") << QByteArray("Command1.ToolTipText=\"Go on\"\r\n") << "Command1" << "ToolTipText"
                             << "Go on";
    QTest::newRow("control tag") << QByteArray("Label1.Tag=\"@L,T\"\r\n") << "Label1" << "Tag" << "@L,T";
    QTest::newRow("empty tag keeps layout") << QByteArray("Command1.Tag=\r\n") << "Command1" << "Tag" << "layout";
    QTest::newRow("array element") << QByteArray("OpPrimo(3).Caption=\"three\"\r\n") << "OpPrimo(3)" << "Caption"
                                   << "three";
    QTest::newRow("array element, plain key") << QByteArray("OpPrimo.Caption=\"x\"\r\n") << "OpPrimo(3)"
                                              << "Caption" << "3";
    QTest::newRow("menu heading") << QByteArray("mnuFile.Caption=\"File\"\r\n") << "mnuFile" << "Caption" << "File";
    QTest::newRow("menu item") << QByteArray("mnuEsci.Caption=\"Exit\"\r\nmnuEsci.ToolTipText=\"Leave\"\r\n")
                               << "mnuEsci" << "ToolTipText" << "Leave";
    QTest::newRow("text box has no caption") << QByteArray("Text1.Caption=\"x\"\r\n") << "Text1" << "Caption"
                                             << "12";
    QTest::newRow("accessible name") << QByteArray("OpPrimo(3).AccessibleName=\"three\"\r\n") << "OpPrimo(3)"
                                     << "AccessibleName" << "three";
    QTest::newRow("tab caption") << QByteArray("Schede.TabCaption(1)=\"Two\"\r\n") << "Schede" << "TabCaption(1)"
                                 << "Two";
    QTest::newRow("tab caption, no key") << QByteArray() << "Schede" << "TabCaption(0)" << "";
}

void TestLocalise::localiseWindow()
{
    QFETCH(QByteArray, keys);
    QFETCH(QString, key);
    QFETCH(QString, what);
    QFETCH(QString, expected);
    TestProgram program(TestProgram::Assets::None);
    writeLanguage(program, keys);
    LocForm form;
    MLSLocaliseForm(&form, form.controls());
    QCOMPARE(readBack(form, key, what), expected);
}

void TestLocalise::emptyTitleIsKept()
{
    TestProgram program(TestProgram::Assets::None);
    writeLanguage(program, "LocForm.Caption=\"Window\"\r\n");
    LocForm form{QString()};
    MLSLocaliseForm(&form, form.controls());
    QCOMPARE(form.windowTitle(), QString());
}

void TestLocalise::tagFromLanguageSteersResizer()
{
    TestProgram program(TestProgram::Assets::None, QSize(1200, 600));
    writeLanguage(program, "Label1.Tag=\"@L,T\"\r\n");
    LocForm form;
    form.load();
    form.show();
    form.activate();
    // Laid out at 100, 200, 200 x 100 pixels in a 600 x 400 inside.
    const int top = qRound(200 * form.innerSize().height() / 400.0);
    QCOMPARE(form.innerSize().width(), 1200);
    QCOMPARE(qobject_cast<QWidget *>(form.control(QStringLiteral("Label1")))->geometry(), QRect(200, top, 200, 100));
}

void TestLocalise::inputWaitsForTheWalk_data()
{
    QTest::addColumn<bool>("click");
    QTest::addColumn<QStringList>("openAfter");
    QTest::newRow("click on a menu button") << true << QStringList{QStringLiteral("FormMenuGrafici")};
    QTest::newRow("window system close") << false << QStringList();
}

void TestLocalise::inputWaitsForTheWalk()
{
    QFETCH(bool, click);
    QFETCH(QStringList, openAfter);
    TestProgram program;
    QPointer<FormMenu> menu = openMenu();
    QVERIFY(menu);
    auto *button = qobject_cast<QPushButton *>(menu->control(QStringLiteral("Command2")));
    const QString localised = button->text();
    button->setText(QStringLiteral("not yet"));

    // Input that reached the queue while the window is being translated.
    if (click) {
        const QPointF at = button->rect().center();
        const QPointF global = button->mapToGlobal(at);
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    } else {
        QCoreApplication::postEvent(menu->windowHandle(), new QCloseEvent);
    }
    MLSLocaliseForm(menu, menu->controls());
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QCOMPARE(button->text(), localised);

    // Held back, not lost.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openWindowNames(), openAfter);
}

void TestLocalise::menuListsAndMarks_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("second is current") << "Beta" << QStringList{QStringLiteral("Beta")};
    QTest::newRow("other letter case") << "beta" << QStringList();
    QTest::newRow("no such file") << "Gamma" << QStringList();
}

void TestLocalise::menuListsAndMarks()
{
    QFETCH(QString, current);
    QFETCH(QStringList, checked);
    TestProgram program(TestProgram::Assets::None);
    program.writeFile(QStringLiteral("Alfa.lng"), "[FormMenu]\r\nFormMenu.Caption=\"Alfa\"\r\n");
    program.writeFile(QStringLiteral("Beta.lng"), "[FormMenu]\r\nFormMenu.Caption=\"Beta\"\r\n");
    // A language file the language layer could not open by its base name.
    program.writeFile(QStringLiteral("Delta.LNG"), "[FormMenu]\r\nFormMenu.Caption=\"Delta\"\r\n");
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"" + current.toLatin1() + "\"\r\n");

    FormMenu *menu = openMenu();
    QCOMPARE(itemCaptions(*menu), languagesOnDisk(program.folder()));
    QCOMPARE(itemCaptions(*menu).size(), 2);
    QCOMPARE(checkedCaptions(*menu), checked);
    QCOMPARE(state().currentLanguageName, current);
    QVERIFY(program.dialogs->shown.empty());
}

void TestLocalise::noLanguageFile()
{
    TestProgram program(TestProgram::Assets::None);
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Italiano\"\r\n");

    FormMenu *menu = openMenu();
    QCOMPARE(program.dialogs->shown.size(), 1u);
    const ShownMessage &m = program.dialogs->shown.front();
    QCOMPARE(m.text, QStringLiteral("Non è presente alcun file di linguaggio!"));
    QCOMPARE(m.title, QString());
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.icon, MessageIcon::None);
    // One entry that says why there is nothing to choose, and cannot be chosen.
    QCOMPARE(itemCaptions(*menu), QStringList{QStringLiteral("Nessun file di lingua")});
    QVERIFY(!menu->languageItems().front()->isEnabled());
    QCOMPARE(checkedCaptions(*menu), QStringList());
    QCOMPARE(m.words.ok, QStringLiteral("OK"));
}

void TestLocalise::missingMenuCaptionEmptiesTitle()
{
    TestProgram program(TestProgram::Assets::None);
    program.writeFile(QStringLiteral("Solo.lng"), "[FormMenu]\r\nCommand2.Caption=\"Pictures\"\r\n");
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Solo\"\r\n");

    FormMenu *menu = openMenu();
    QCOMPARE(menu->windowTitle(), QString());
    QCOMPARE(captionOf(menu->control(QStringLiteral("Command2"))), QStringLiteral("Pictures"));
}

void TestLocalise::choosingLanguage()
{
    TestProgram program(TestProgram::Assets::None);
    program.writeFile(QStringLiteral("Alfa.lng"),
                      "[Strings]\r\n0009=\"Leave A?\"\r\n[FormMenu]\r\nFormMenu.Caption=\"Menu A\"\r\n"
                      "Command2.Caption=\"Pictures A\"\r\n[FormEserci]\r\nFormEserci.Caption=\"Tables A\"\r\n");
    program.writeFile(QStringLiteral("Beta.lng"),
                      "[Strings]\r\n0009=\"Leave B?\"\r\n[MsgBox]\r\nYes=\"Yes B\"\r\n[FormMenu]\r\nFormMenu.Caption=\"Menu B\"\r\n"
                      "[FormEserci]\r\nFormEserci.Caption=\"Tables B\"\r\nBottoneAvanti.Caption=\"next B\"\r\n");
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Alfa\"\r\n");

    FormMenu *menu = openMenu();
    QCOMPARE(menu->windowTitle(), QStringLiteral("Menu A"));
    const int beta = static_cast<int>(itemCaptions(*menu).indexOf(QStringLiteral("Beta")));
    QVERIFY(beta >= 0 && static_cast<std::size_t>(beta) < menu->languageItems().size());
    menu->languageItems()[static_cast<std::size_t>(beta)]->trigger();

    QCOMPARE(checkedCaptions(*menu), QStringList{QStringLiteral("Beta")});
    QCOMPARE(menu->windowTitle(), QStringLiteral("Menu B"));
    // Beta has no caption for it: the previous language's text stays.
    QCOMPARE(captionOf(menu->control(QStringLiteral("Command2"))), QStringLiteral("Pictures A"));
    QCOMPARE(readLanguageSetting(), QStringLiteral("Beta"));
    QCOMPARE(MLSGetString(QStringLiteral("0009")), QStringLiteral("Leave B?"));

    FormBase *eserci = openWindow(QStringLiteral("FormEserci"));
    QVERIFY(eserci);
    QCOMPARE(eserci->windowTitle(), QStringLiteral("Tables B"));
    QCOMPARE(captionOf(eserci->control(QStringLiteral("BottoneAvanti"))), QStringLiteral("next B"));
    // The exit question and its buttons speak the new language.
    program.dialogs->answers.push_back(MessageAnswer::No);
    qobject_cast<QAction *>(eserci->control(QStringLiteral("mnuEsci")))->trigger();
    QCOMPARE(program.dialogs->shown.back().text, QStringLiteral("Leave B?"));
    QCOMPARE(program.dialogs->shown.back().words.yes, QStringLiteral("Yes B"));
}

void TestLocalise::standInLanguage_data()
{
    QTest::addColumn<QStringList>("files");   // "Name kind": whole, or holding only the title or the first message
    QTest::addColumn<QString>("used");        // the setting names Named
    QTest::newRow("named is whole") << QStringList{"Named whole", "Italiano whole"} << "Named";
    QTest::newRow("named holds only the menu title") << QStringList{"Named title", "Italiano whole"} << "Italiano";
    QTest::newRow("named holds only the first message") << QStringList{"Named first", "Italiano whole"}
                                                        << "Italiano";
    QTest::newRow("two stand-ins") << QStringList{"Alfa whole", "Italiano whole"} << "Italiano";
}

void TestLocalise::standInLanguage()
{
    QFETCH(QStringList, files);
    QFETCH(QString, used);
    TestProgram program(TestProgram::Assets::None);
    for (const QString &file : files) {
        const QString kind = file.section(u' ', 1);
        const QByteArray first = kind == QLatin1String("title") ? "" : "[Strings]\r\n0001=\"Uno\"\r\n";
        const QByteArray title = kind == QLatin1String("first") ? "" : "[FormMenu]\r\nFormMenu.Caption=\"Menu\"\r\n";
        program.writeFile(file.section(u' ', 0, 0) + QStringLiteral(".lng"), first + title);
    }
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Named\"\r\n");
    state().currentLanguageName = readLanguageSetting();
    QCOMPARE(QFileInfo(languageFile()).completeBaseName(), used);
}

// Asked, answered No, asked again after each choice of language: each time
// in the language then chosen, and with nothing else to say.
void TestLocalise::exitQuestionFollowsEveryChoice()
{
    TestProgram program(TestProgram::Assets::None);
    for (const char *name : {"Alfa", "Beta"}) {
        const QByteArray n(name);
        program.writeFile(QString::fromLatin1(name) + QStringLiteral(".lng"),
                          "[Strings]\r\n0001=\"" + n + "\"\r\n0010=\"Quit " + n + "?\"\r\n"
                          "[FormMenu]\r\nFormMenu.Caption=\"Menu " + n + "\"\r\n");
    }
    program.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=\"Alfa\"\r\n");
    FormMenu *menu = openMenu();
    QVERIFY(menu);
    for (const QString &choice : {QString(), QStringLiteral("Beta"), QStringLiteral("Alfa")}) {
        if (!choice.isEmpty())
            menu->languageItems().at(static_cast<std::size_t>(itemCaptions(*menu).indexOf(choice)))->trigger();
        program.dialogs->answers.push_back(MessageAnswer::No);
        ConfermaUscita(menu);
    }
    QStringList asked;
    for (const ShownMessage &m : program.dialogs->shown)
        asked << m.text;
    QCOMPARE(asked, QStringList({"Quit Alfa?", "Quit Beta?", "Quit Alfa?"}));
    QCOMPARE(program.programEnded, 0);
}

void TestLocalise::choiceSurvivesReadOnlyFolder_data()
{
    QTest::addColumn<bool>("writable");   // the program folder's LangSetting.ini
    QTest::addColumn<bool>("userCopy");   // the user's own LangSetting.ini exists before the choice
    QTest::newRow("writable folder") << true << false;
    QTest::newRow("read-only folder") << false << false;
    QTest::newRow("read-only folder, user copy") << false << true;
    QTest::newRow("writable folder, user copy") << true << true;
}

void TestLocalise::choiceSurvivesReadOnlyFolder()
{
    QFETCH(bool, writable);
    QFETCH(bool, userCopy);
    TestProgram program(TestProgram::Assets::None);
    program.writeFile(QStringLiteral("Alfa.lng"), "[FormMenu]\r\nFormMenu.Caption=\"Menu A\"\r\n");
    program.writeFile(QStringLiteral("Beta.lng"), "[FormMenu]\r\nFormMenu.Caption=\"Menu B\"\r\n");
    program.writeFile(QStringLiteral("Italiano.lng"), "[FormMenu]\r\nFormMenu.Caption=\"Menu I\"\r\n");
    const QString inFolder = QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini"));
    const QString own = QDir(state().platform.configFolder).filePath(QStringLiteral("LangSetting.ini"));
    const QByteArray alfa = "[Language]\r\nCurrentLanguage=\"Alfa\"\r\n";
    // A folder where the file should be: nobody can write it, root included.
    if (writable)
        program.writeFile(QStringLiteral("LangSetting.ini"), alfa);
    else
        QVERIFY(QDir().mkpath(inFolder));
    if (userCopy) {
        QVERIFY(QDir().mkpath(state().platform.configFolder));
        QFile file(own);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(alfa);
    }

    FormMenu *menu = openMenu();
    // Nothing readable names a language: the shipped first one stands in.
    QCOMPARE(menu->windowTitle(), (writable || userCopy) ? QStringLiteral("Menu A") : QStringLiteral("Menu I"));
    const int beta = static_cast<int>(itemCaptions(*menu).indexOf(QStringLiteral("Beta")));
    menu->languageItems().at(static_cast<std::size_t>(beta))->trigger();
    QCOMPARE(menu->windowTitle(), QStringLiteral("Menu B"));

    // The next start reads the choice where the splash reads it.
    closeAllWindows();
    state().currentLanguageName.clear();
    QVERIFY(openWindow(QStringLiteral("FormAvvio")));
    QCOMPARE(state().currentLanguageName, QStringLiteral("Beta"));
    QCOMPARE(QFileInfo(own).isFile(), !writable || userCopy);
    if (writable)
        QCOMPARE(MLSReadIni(inFolder, QStringLiteral("Language"), QStringLiteral("CurrentLanguage")),
                 QStringLiteral("Beta"));
}

void TestLocalise::choiceThatCannotBeKept_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("writable");   // the program folder's setting and the user's folder
    QTest::addColumn<QString>("fault");   // where every save fails
    QTest::addColumn<QString>("said");    // the message box, in the language chosen
    QTest::newRow("saved") << "Beta" << true << "" << "";
    QTest::newRow("nowhere to save") << "Beta" << false << "" << "Nowhere B";
    QTest::newRow("leading blank") << " Beta" << true << "" << "Name B";
    QTest::newRow("outside Windows-1252") << QString::fromUtf8("Beta\u0394") << true << "" << "Name B";
    QTest::newRow("disk full at a write") << "Beta" << true << "write" << "Nowhere B";
    QTest::newRow("disk full at the flush") << "Beta" << true << "flush" << "Nowhere B";
    QTest::newRow("folder lost at the rename") << "Beta" << true << "rename" << "Nowhere B";
    QTest::newRow("read-only user's copy") << "Beta" << true << "read-only copy" << "Nowhere B";
}

void TestLocalise::choiceThatCannotBeKept()
{
    QFETCH(QString, language);
    QFETCH(bool, writable);
    QFETCH(QString, fault);
    QFETCH(QString, said);
    TestProgram program(TestProgram::Assets::None);
    const QByteArray beta = "[Strings]\r\n0001=\"B\"\r\n0287=\"Nowhere B\"\r\n0288=\"Name B\"\r\n"
                            "[FormMenu]\r\nFormMenu.Caption=\"Menu B\"\r\n";
    program.writeFile(language + QStringLiteral(".lng"), beta);
    program.writeFile(QStringLiteral("Italiano.lng"), "[Strings]\r\n0001=\"I\"\r\n[FormMenu]\r\nFormMenu.Caption=\"I\"\r\n");
    const QByteArray before = "[Language]\r\nCurrentLanguage=\"Italiano\"\r\n";
    program.writeFile(QStringLiteral("LangSetting.ini"), before);
    // Temporary files of saves cut short: an old one, and one of a save that
    // might be going on.
    const QString stale = QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini.Ab12Cd"));
    const QString fresh = QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini.Ef34Gh"));
    program.writeFile(QFileInfo(stale).fileName(), "[Language]\r\n");
    program.writeFile(QFileInfo(fresh).fileName(), "[Language]\r\n");
    QFile old(stale);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    old.close();
    if (!writable) {
        // Folders where the files should be, and a file where the user's
        // folder should be: nothing can be written, root included.
        QFile::remove(QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini")));
        QVERIFY(QDir().mkpath(QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini"))));
        program.writeFile(QStringLiteral("config"), "x");
        state().platform.configFolder = QDir(program.folder()).filePath(QStringLiteral("config/quadrivel"));
    }
    const QString own = QDir(state().platform.configFolder).filePath(QStringLiteral("LangSetting.ini"));
    if (fault == QLatin1String("read-only copy")) {
        // Marked read-only, which binds root too: the copy read first keeps
        // the old choice.
        QVERIFY(QDir().mkpath(state().platform.configFolder));
        QFile copy(own);
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(before) == before.size());
        copy.close();
        QVERIFY(copy.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const auto healed = qScopeGuard([] { setIniSaveFault(IniSaveFault::None); });
    setIniSaveFault(fault == QLatin1String("write")    ? IniSaveFault::Write
                    : fault == QLatin1String("flush")  ? IniSaveFault::Flush
                    : fault == QLatin1String("rename") ? IniSaveFault::Rename
                                                       : IniSaveFault::None);

    FormMenu *menu = openMenu();
    const int chosen = static_cast<int>(itemCaptions(*menu).indexOf(language));
    QVERIFY(chosen >= 0);
    program.dialogs->shown.clear();
    menu->languageItems().at(static_cast<std::size_t>(chosen))->trigger();
    QCOMPARE(menu->windowTitle(), QStringLiteral("Menu B"));
    if (said.isEmpty()) {
        QVERIFY(program.dialogs->shown.empty());
    } else {
        QCOMPARE(program.dialogs->shown.size(), 1u);
        QCOMPARE(program.dialogs->shown.back().text, said);
        QCOMPARE(program.dialogs->shown.back().icon, MessageIcon::Error);
    }
    if (writable) {
        QCOMPARE(readLanguageSetting(), said.isEmpty() ? language : QStringLiteral("Italiano"));
        QVERIFY(!QFileInfo::exists(stale) || !said.isEmpty());
        QVERIFY(QFileInfo::exists(fresh));
    }
    if (!fault.isEmpty() && fault != QLatin1String("read-only copy")) {
        QFile setting(QDir(program.folder()).filePath(QStringLiteral("LangSetting.ini")));
        QVERIFY(setting.open(QIODevice::ReadOnly));
        QCOMPARE(setting.readAll(), before);
        QVERIFY(!QFileInfo::exists(own));
    }
    // No temporary file of this save is left behind.
    const QStringList pattern{QStringLiteral("LangSetting.ini.*")};
    const QDir::Filters files = QDir::Files | QDir::Hidden;
    QStringList left = QDir(program.folder()).entryList(pattern, files);
    left.removeAll(QFileInfo(stale).fileName());
    left.removeAll(QFileInfo(fresh).fileName());
    left += QDir(state().platform.configFolder).entryList(pattern, files);
    QCOMPARE(left, QStringList());
}

QTEST_MAIN(TestLocalise)
#include "tst_localise.moc"
