#include "Fakes.h"
#include "LanguageCheck.h"
#include "app/Windows.h"
#include "frame/FormBase.h"
#include "lang/IniFile.h"
#include "lang/Language.h"
#include "lang/Localise.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

const QString kAssets = QStringLiteral(QUADRIVEL_ASSETS_DIR);
const QString kReference = kAssets + QStringLiteral("/Italiano.lng");

QStringList shippedFiles()
{
    return QDir(kAssets).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
}

// The string ids the program looks up: the four-digit literals of every
// source file that calls MLSGetString, showStringMessage or messageText or
// names StringIds for a window to look up (ids built at run time are not
// seen).
QStringList usedStringIds()
{
    static const QRegularExpression literal(QStringLiteral("\"(\\d{4})\""));
    QStringList ids;
    QDirIterator it(QStringLiteral(QUADRIVEL_SOURCE_DIR), {QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile source(it.next());
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(source.readAll());
        if (!text.contains(QLatin1String("MLSGetString")) && !text.contains(QLatin1String("StringIds"))
            && !text.contains(QLatin1String("showStringMessage")) && !text.contains(QLatin1String("messageText")))
            continue;
        for (const QRegularExpressionMatch &m : literal.globalMatch(text))
            ids << m.captured(1);
    }
    ids.removeDuplicates();
    ids.sort();
    return ids;
}

// Captions the window's own code overwrites (the exercise, such as " 3 x  7 = "),
// and the language items, whose captions are file names: a key for one of
// those would rename a language.
bool needsNoText(const QString &window, const QObject *control)
{
    static const QStringList exerciseInNumero = {
        QStringLiteral("FormEserci"), QStringLiteral("Formu"),     QStringLiteral("FormdauS"), QStringLiteral("formdau99"),
        QStringLiteral("Formdau"),    QStringLiteral("FormhdauS"), QStringLiteral("Formhdau"),
    };
    const QString name = control->objectName();
    return name == QLatin1String("mnuLanguage")
        || (window == QLatin1String("Reticoli") && name == QLatin1String("etic"))
        || (exerciseInNumero.contains(window) && name == QLatin1String("EtichettaNumero"));
}

// A caption without a letter (a number, a sign) reads the same in every language.
bool hasLetter(const QString &caption)
{
    return std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetter(); });
}

QString captionKey(const QObject *control)
{
    QString key = control->objectName();
    const QVariant index = control->property("index");
    if (index.isValid())
        key += QStringLiteral("(%1)").arg(index.toInt());
    return key + QStringLiteral(".Caption");
}

// Comment lines after content until the whole is exactly size bytes.
QByteArray paddedTo(QByteArray content, qsizetype size)
{
    while (content.size() < size) {
        const qsizetype room = size - content.size();
        content += room >= 3 ? QByteArray(";") + QByteArray(std::min<qsizetype>(room - 3, 200), '-') + "\r\n"
                             : QByteArray(room, ' ');
    }
    return content;
}

QString describe(const std::vector<LngFinding> &findings)
{
    QStringList lines;
    for (const LngFinding &f : findings)
        lines << QStringLiteral("line %1 [%2] %3: %4").arg(f.line).arg(f.section, f.key, f.detail);
    return lines.join(QLatin1Char('\n'));
}

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

Run lng(const QStringList &args)
{
    Run run{};
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runLngTool(args, QCoreApplication::applicationDirPath(), out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace

class TestLangFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir_.isValid()); }

    void shippedFile_data();
    void shippedFile();
    void stringIds_data();
    void stringIds();
    void windowTexts_data();
    void windowTexts();

    void check_data();
    void check();
    void defaultReferenceIsTheShippedItalian();
    void unusable_data();
    void unusable();
    void get_data();
    void get();
    void lineScanWarningMatchesTheProgram_data();
    void lineScanWarningMatchesTheProgram();
    void onlyThePrintedWarningsAreKept();

private:
    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }

    QTemporaryDir dir_;
};

void TestLangFiles::shippedFile_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &name : shippedFiles())
        QTest::newRow(qPrintable(name)) << kAssets + QLatin1Char('/') + name;
}

void TestLangFiles::shippedFile()
{
    QFETCH(QString, path);
    const std::optional<QByteArray> bytes = readFileBytes(path);
    const std::optional<QByteArray> reference = readFileBytes(kReference);
    QVERIFY(bytes && reference);
    QVERIFY2(bytes->size() < kLanguageFileLimit, qPrintable(QString::number(bytes->size())));
    QCOMPARE(bytes->count('\n'), bytes->count("\r\n"));
    QCOMPARE(bytes->count('\r'), bytes->count("\r\n"));

    const std::vector<LngFinding> findings = checkLanguage(*bytes, *reference).findings;
    QVERIFY2(findings.empty(), qPrintable(describe(findings)));

    for (int i = 0; i < 10; ++i)
        QCOMPARE(MLSReadIni(path, QStringLiteral("FormMenu"), QStringLiteral("mnuLanguage(%1).Caption").arg(i)),
                 QString());
    // Every language is read aloud.
    QVERIFY(!MLSReadIni(path, QStringLiteral("Voice"), QStringLiteral("Locale")).isEmpty());
}

void TestLangFiles::stringIds_data()
{
    shippedFile_data();
}

void TestLangFiles::stringIds()
{
    QFETCH(QString, path);
    const QStringList ids = usedStringIds();
    QVERIFY2(ids.contains(QLatin1String("0001")) && ids.contains(QLatin1String("9999")), qPrintable(ids.join(u' ')));
    QStringList missing;
    for (const QString &id : ids) {
        if (MLSReadIni(path, QStringLiteral("Strings"), id).isEmpty())
            missing << id;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no text for ") + missing.join(u' ')));
}

void TestLangFiles::windowTexts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("window");
    for (const QString &name : shippedFiles()) {
        for (const auto &[window, make] : programWindows()) {
            if (make)
                QTest::addRow("%s %s", qPrintable(name), qPrintable(window))
                    << kAssets + QLatin1Char('/') + name << window;
        }
    }
}

void TestLangFiles::windowTexts()
{
    QFETCH(QString, path);
    QFETCH(QString, window);
    // No language file at all: localisation leaves the layout captions, and
    // texts the window takes from string ids read empty.
    TestProgram program(TestProgram::Assets::None);
    // Windows draw their first exercise on opening; varied draws, as in a
    // real run, for those that draw until they find what they look for.
    QRandomGenerator random(1);
    for (int i = 0; i < 5000; ++i)
        program.rnd->push(random.generateDouble());

    QStringList keys;
    const std::unique_ptr<FormBase> unloaded(state().windows.at(window)());
    if (!unloaded->windowTitle().isEmpty())
        keys << window + QStringLiteral(".Caption");
    FormBase *opened = openWindow(window);
    QVERIFY(opened);
    for (const QObject *control : opened->controls()) {
        if (hasLetter(captionOf(control)) && !needsNoText(window, control))
            keys << captionKey(control);
    }

    QStringList missing;
    for (const QString &key : keys) {
        if (MLSReadIni(path, window, key).isEmpty())
            missing << key;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no text for ") + missing.join(QStringLiteral(", "))));
}

void TestLangFiles::check_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");

    const QByteArray ref = "[Strings]\r\n0001=\"Scegli\"\r\n0010=\"Esci?\"\r\n[FormMenu]\r\nCommand1.Caption=\"Esci\"\r\n";
    const QByteArray menu = "[FormMenu]\r\nCommand1.Caption=\"Exit\"\r\n";
    QTest::newRow("complete") << ref << ref << 0 << "complete, no warnings";
    QTest::newRow("string id missing") << "[Strings]\r\n0001=\"Tick\"\r\n" + menu << ref << 1
                                       << "de.lng: error: missing [Strings] 0010: the reference reads \"Esci?\"";
    QTest::newRow("window key missing") << QByteArray("[Strings]\r\n0001=\"a\"\r\n0010=\"b\"\r\n[FormMenu]\r\n") << ref
                                        << 1 << "missing [FormMenu] Command1.Caption";
    QTest::newRow("misspelt key") << QByteArray("[Strings]\r\n0001=\"a\"\r\n0010=\"b\"\r\n[FormMenu]\r\nComand1.Caption=\"x\"\r\n")
                                  << ref << 1 << "de.lng:5: warning: not in reference [FormMenu] Comand1.Caption";
    QTest::newRow("key only in a repeated section")
        << "[Strings]\r\n0001=\"a\"\r\n" + menu + "[Strings]\r\n0010=\"b\"\r\n" << ref << 1
        << "missing [Strings] 0010";
    QTest::newRow("section repeated") << "[Strings]\r\n0001=\"a\"\r\n0010=\"b\"\r\n" + menu + "[strings]\r\n" << ref
                                      << 0 << "de.lng:6: warning: duplicate [strings]: the section starts again";
    QTest::newRow("key twice") << "[Strings]\r\n0001=\"a\"\r\n0010=\"b\"\r\n0001=\"c\"\r\n" + menu << ref << 0
                               << "de.lng:4: warning: duplicate [Strings] 0001: written again (first at line 2)";
    QTest::newRow("unquoted value") << "[Strings]\r\n0001=Tick\r\n0010=\"b\"\r\n" + menu << ref << 0
                                    << "de.lng:2: warning: line scan [Strings] 0001: the value is not in double "
                                       "quotes: were the file 64001 bytes or more, the program would read \"ic\", "
                                       "not \"Tick\"";
    QTest::newRow("empty value") << "[Strings]\r\n0001=\"\"\r\n0010=\"b\"\r\n" + menu << ref << 0
                                 << "de.lng:2: warning: empty [Strings] 0001";
    QTest::newRow("line without =") << "[Strings]\r\n0001=\"a\"\r\n0010 \"b\"\r\n" + menu << ref << 1
                                    << "de.lng:3: warning: not read [Strings]: no '='";
    QTest::newRow("UTF-8 accents") << "[Strings]\r\n0001=\"Perch\xC3\xA9\"\r\n0010=\"b\"\r\n" + menu << ref << 0
                                   << "warning: encoding: the accented letters are written in UTF-8";
    const QByteArray voice = "[Voice]\r\nLocale=\"it_IT\"\r\nRate=\"-0.15\"\r\n";
    QTest::newRow("voice") << ref + voice << ref + voice << 0 << "complete, no warnings";
    QTest::newRow("no locale") << ref + "[Voice]\r\nLocale=\"Italiano\"\r\n" << ref + voice << 1
                               << "de.lng:7: error: voice [Voice] Locale: \"Italiano\" is no locale";
    QTest::newRow("rate beyond -1") << ref + "[Voice]\r\nLocale=\"en_GB\"\r\nRate=\"-2\"\r\n" << ref + voice << 1
                                    << "de.lng:8: error: voice [Voice] Rate: \"-2\" is no rate";
    QTest::newRow("voice section missing") << ref << ref + voice << 1 << "error: voice [Voice] Locale";
    QTest::newRow("63999 bytes") << paddedTo(ref, kLanguageFileLimit - 1) << ref << 0 << "complete";
    QTest::newRow("64000 bytes") << paddedTo(ref, kLanguageFileLimit) << ref << 1
                                 << "error: too large: 64000 bytes";

    QByteArray garbage(100000, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &c : garbage)
        c = static_cast<char>(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << ref << 1 << "error: missing [Strings] 0001";
}

void TestLangFiles::check()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, reference);
    QFETCH(int, status);
    QFETCH(QString, expected);
    const QString path = write(QStringLiteral("de.lng"), file);
    const QString ref = write(QStringLiteral("it.lng"), reference);
    const Run run = lng({QStringLiteral("check"), path, ref});
    const QString out = QString::fromUtf8(run.out).replace(dir_.path() + QLatin1Char('/'), QString());
    QVERIFY2(out.contains(expected), qPrintable(out));
    QCOMPARE(run.status, status);
}

void TestLangFiles::defaultReferenceIsTheShippedItalian()
{
    const Run run = lng({QStringLiteral("check"), write(QStringLiteral("de.lng"), "[Strings]\r\n")});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.out.startsWith("Checking " + dir_.filePath(QStringLiteral("de.lng")).toUtf8() + " against "
                                + kReference.toUtf8() + '\n'),
             run.out.constData());
}

void TestLangFiles::unusable_data()
{
    QTest::addColumn<QStringList>("args");
    const QString none = QStringLiteral("/nonexistent/de.lng");
    const QString folder = QDir::tempPath();
    QTest::newRow("no command") << QStringList();
    QTest::newRow("check without file") << QStringList{QStringLiteral("check")};
    QTest::newRow("check, missing file") << QStringList{QStringLiteral("check"), none, kReference};
    QTest::newRow("check, folder") << QStringList{QStringLiteral("check"), folder, kReference};
    QTest::newRow("check, missing reference") << QStringList{QStringLiteral("check"), kReference, none};
    QTest::newRow("get, missing file") << QStringList{QStringLiteral("get"), none, QStringLiteral("Strings"),
                                                      QStringLiteral("0001")};
}

void TestLangFiles::unusable()
{
    QFETCH(QStringList, args);
    const Run run = lng(args);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

void TestLangFiles::get_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("printed");
    QTest::addColumn<int>("status");

    const QByteArray strings = "[Strings]\r\n0001=\"Perch\xE9 no?\"\r\n0002=Ciao\r\n";
    QTest::newRow("Windows-1252 becomes UTF-8") << strings << "0001" << QByteArray("Perch\xC3\xA9 no?\n") << 0;
    QTest::newRow("large file: line scan") << paddedTo(strings, 64001) << "0002" << QByteArray("ia\n") << 0;
    QTest::newRow("64000 bytes: INI reader") << paddedTo(strings, 64000) << "0002" << QByteArray("Ciao\n") << 0;
    QTest::newRow("missing key") << strings << "0003" << QByteArray("\n") << 1;
}

void TestLangFiles::get()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QByteArray, printed);
    QFETCH(int, status);
    const Run run = lng({QStringLiteral("get"), write(QStringLiteral("de.lng"), file), QStringLiteral("Strings"), key});
    QCOMPARE(run.out, printed);
    QCOMPARE(run.status, status);
}

void TestLangFiles::lineScanWarningMatchesTheProgram_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("differs");

    QTest::newRow("double quotes") << QByteArray("Label1.Caption=\"Ciao\"") << false;
    QTest::newRow("single quotes") << QByteArray("Label1.Caption='Ciao'") << false;
    QTest::newRow("blanks inside quotes") << QByteArray("Label1.Caption=\" Ciao  \"") << false;
    QTest::newRow("no quotes") << QByteArray("Label1.Caption=Ciao") << true;
    QTest::newRow("blank before =") << QByteArray("Label1.Caption =\"Ciao\"") << true;
    QTest::newRow("blank after =") << QByteArray("Label1.Caption= \"Ciao\"") << true;
    QTest::newRow("blank before key") << QByteArray(" Label1.Caption=\"Ciao\"") << true;
    QTest::newRow("blank after quote") << QByteArray("Label1.Caption=\"Ciao\" ") << true;
    QTest::newRow("other letter case") << QByteArray("label1.caption=\"Ciao\"") << true;
    QTest::newRow("600 characters") << "Label1.Caption=\"" + QByteArray(600, 'a') + '"' << true;
}

void TestLangFiles::lineScanWarningMatchesTheProgram()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, differs);
    const QByteArray content = "[Form1]\r\n" + line + "\r\n";
    const QString key = QStringLiteral("Label1.Caption");
    const QString small = MLSReadIni(write(QStringLiteral("small.lng"), content), QStringLiteral("Form1"), key);
    const QString large =
        MLSReadIni(write(QStringLiteral("large.lng"), paddedTo(content, 64001)), QStringLiteral("Form1"), key);
    QCOMPARE(small != large, differs);

    const std::vector<LngFinding> findings = checkLanguage(content, "[Form1]\r\nLabel1.Caption=\"x\"\r\n").findings;
    const bool warned = std::any_of(findings.begin(), findings.end(),
                                    [](const LngFinding &f) { return f.kind == LngFinding::Kind::LineScan; });
    QCOMPARE(warned, differs);
}

void TestLangFiles::onlyThePrintedWarningsAreKept()
{
    QByteArray file = "[Strings]\r\n0001=\"a\"\r\n";
    for (int i = 0; i < 1000; ++i)
        file += "0001=\"b\"\r\n";
    const LngReport report = checkLanguage(file, file);
    QCOMPARE(report.warningCount, 1000);
    QCOMPARE(report.findings.size(), 200u);
    QCOMPARE(report.findings.front().line, 3);
    QCOMPARE(report.findings.back().line, 202);

    const Run run =
        lng({QStringLiteral("check"), write(QStringLiteral("de.lng"), file), write(QStringLiteral("it.lng"), file)});
    QVERIFY2(run.out.contains("de.lng:202: warning: duplicate [Strings] 0001: written again (first at line 2); "
                              "the program reads the first\n... and 800 more warnings\n"),
             run.out.right(400).constData());
    QVERIFY(run.out.endsWith("de.lng: 0 errors, 1000 warnings\n"));
}

QTEST_MAIN(TestLangFiles)
#include "tst_langfiles.moc"
