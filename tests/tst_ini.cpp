#include "lang/Cp1252.h"
#include "lang/IniFile.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A byte string that may hold NUL bytes.
template <std::size_t N>
QByteArray B(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// content followed by a comment line that brings it to exactly size bytes.
QByteArray paddedTo(QByteArray content, qsizetype size)
{
    content += "\r\n;";
    if (content.size() < size)
        content += QByteArray(size - content.size(), 'x');
    return content;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(gen.bounded(256));
    return bytes;
}

} // namespace

class TestIni : public QObject {
    Q_OBJECT

private slots:
    void init();

    void cp1252_data();
    void cp1252();
    void cp1252EveryByteRoundTrips();
    void cp1252Unmappable_data();
    void cp1252Unmappable();

    void read_data();
    void read();
    void write_data();
    void write();
    void writeRefusesWhatCannotReadBack_data();
    void writeRefusesWhatCannotReadBack();
    void writeFailures_data();
    void writeFailures();

    void readFailures_data();
    void readFailures();
    void tenMegabyteFilesAreQuick();

    void sizeSwitch_data();
    void sizeSwitch();
    void lineScan_data();
    void lineScan();

    void getString_data();
    void getString();
    void languageNameIsCached();
    void lookupSeesChangeOnDisk();
    void languageFileJoinsFolder_data();
    void languageFileJoinsFolder();
    void languageSettingRoundTrip();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void TestIni::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    installState(std::make_unique<ProgramState>(Platform{}));
    state().platform.programFolder = m_dir->path();
}

void TestIni::cp1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << B("Esatti 7=") << u"Esatti 7="_qs;
    QTest::newRow("e grave") << B("\xE8") << u"è"_qs;
    QTest::newRow("euro") << B("\x80") << u"€"_qs;
    QTest::newRow("quotes and dashes") << B("\x93\x94\x96\x97") << u"“”–—"_qs;
    QTest::newRow("Y diaeresis 9F") << B("\x9F") << u"Ÿ"_qs;
    QTest::newRow("undefined bytes") << B("\x81\x8D\x8F\x90\x9D")
                                     << u"\u0081\u008D\u008F\u0090\u009D"_qs;
    QTest::newRow("latin-1 range") << B("\xA0\xC0\xFF") << u"\u00A0Àÿ"_qs;
    QTest::newRow("NUL") << B("a\0b") << QString(u"a\0b"_qs);
    // The code page's own table, byte by byte.
    QTest::newRow("80 to 9F") << B("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                                   "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F")
                              << u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                 u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178"_qs;
}

void TestIni::cp1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(fromCp1252(bytes), text);
    QCOMPARE(toCp1252(text), bytes);
    QCOMPARE(toCp1252Exact(text).value_or("-"), bytes);
}

void TestIni::cp1252EveryByteRoundTrips()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCp1252(text), all);
}

void TestIni::cp1252Unmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a macron") << u"a\u0101b"_qs << B("a?b");
    QTest::newRow("U+0080 is not the euro") << u"\u0080"_qs << B("?");
    QTest::newRow("surrogate pair is one character") << u"x\U0001F600y"_qs << B("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << B("?");
}

void TestIni::cp1252Unmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(text), bytes);
    QVERIFY(!toCp1252Exact(text).has_value());
}

void TestIni::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString x600(600, u'x');
    const QString x511(511, u'x');

    QTest::newRow("plain") << B("[S]\r\nk=v\r\n") << "S" << "k" << "v";
    QTest::newRow("names ignore case") << B("[SeCtIoN]\r\nKeY=v") << "section" << "kEy" << "v";
    QTest::newRow("LF ends") << B("[S]\nk=v\n") << "S" << "k" << "v";
    QTest::newRow("lone CR ends") << B("[S]\rk=v\r") << "S" << "k" << "v";
    QTest::newRow("mixed ends, last line open") << B("[S]\r\na=1\rb=2\nk=v") << "S" << "k" << "v";
    QTest::newRow("blank lines") << B("\r\n \t\r\n[S]\r\n\r\n  \r\nk=v") << "S" << "k" << "v";
    QTest::newRow("blanks around header and name") << B(" \t[ \tS\t ]\r\nk=v") << "S" << "k" << "v";
    QTest::newRow("name ends at first ]") << B("[S]whoops]\r\nk=v") << "S" << "k" << "v";
    QTest::newRow("closing bracket optional") << B("[S   \r\nk=v") << "S" << "k" << "v";
    QTest::newRow("key on header line") << B("[S]k=v\r\n") << "S" << "k" << "";
    QTest::newRow("repeated section not merged") << B("[S]\r\na=1\r\n[s]\r\nk=v") << "S" << "k" << "";
    QTest::newRow("first section wins") << B("[S]\r\nk=1\r\n[T]\r\nk=3\r\n[s]\r\nk=2") << "S" << "k" << "1";
    QTest::newRow("first key wins") << B("[S]\r\nk=1\r\nK=2") << "S" << "k" << "1";
    QTest::newRow("key before any section") << B("k=v\r\n[S]\r\n") << "S" << "k" << "";
    QTest::newRow("comment") << B("[S]\r\n;k=v") << "S" << ";k" << "";
    QTest::newRow("indented comment") << B("[S]\r\n \t;k=v\r\nk=w") << "S" << "k" << "w";
    QTest::newRow("no inline comment") << B("[S]\r\nk=diet   ;gag") << "S" << "k" << "diet   ;gag";
    QTest::newRow("hash is ordinary") << B("[S]\r\n#k=v") << "S" << "#k" << "v";
    QTest::newRow("value after first =") << B("[S]\r\nk=a=b") << "S" << "k" << "a=b";
    QTest::newRow("line without =") << B("[S]\r\nk\r\nk v") << "S" << "k" << "";
    QTest::newRow("empty value") << B("[S]\r\nk=\r\nk=late") << "S" << "k" << "";
    QTest::newRow("blanks around key and value") << B("[S]\r\n \tk \t= \tv w\t \r\n") << "S" << "k" << "v w";
    QTest::newRow("asked names lose spaces") << B("[S]\r\nk=v") << "  S " << " k  " << "v";
    QTest::newRow("asked names keep tabs") << B("[S]\r\nk=v") << "S" << "\tk" << "";
    QTest::newRow("missing key") << B("[S]\r\nk=v") << "S" << "j" << "";
    QTest::newRow("missing section") << B("[S]\r\nk=v") << "T" << "k" << "";
    QTest::newRow("empty key asked") << B("[S]\r\n=v") << "S" << "" << "";
    QTest::newRow("double quotes") << B("[S]\r\nk=\"val2\"") << "S" << "k" << "val2";
    QTest::newRow("single quotes") << B("[S]\r\nk='v'") << "S" << "k" << "v";
    QTest::newRow("one pair only") << B("[S]\r\nk=\"'v'\"") << "S" << "k" << "'v'";
    QTest::newRow("blanks kept inside quotes") << B("[S]\r\nk=  \"   v   \"  ") << "S" << "k" << "   v   ";
    QTest::newRow("mismatched quotes") << B("[S]\r\nk=\"v'") << "S" << "k" << "\"v'";
    QTest::newRow("open quote") << B("[S]\r\nk=\"abc") << "S" << "k" << "\"abc";
    QTest::newRow("lone quote") << B("[S]\r\nk=\"") << "S" << "k" << "\"";
    QTest::newRow("empty quotes") << B("[S]\r\nk=\"\"") << "S" << "k" << "";
    QTest::newRow("quotes in names stay") << B("[\"S\"]\r\n\"k\"=v") << "\"S\"" << "\"k\"" << "v";
    QTest::newRow("quotes in names do not match bare") << B("[\"S\"]\r\n\"k\"=v") << "S" << "k" << "";
    QTest::newRow("UTF-8 mark skipped") << B("\xEF\xBB\xBF[S]\r\nk=v") << "S" << "k" << "v";
    QTest::newRow("value ends at NUL") << B("[S]\r\nk=\"ab\0cd\"") << "S" << "k" << "ab";
    QTest::newRow("600 characters cut") << ("[S]\r\nk=" + x600.toLatin1()) << "S" << "k" << x511;
    QTest::newRow("quotes removed before cut")
        << ("[S]\r\nk=\"" + x600.toLatin1() + '"') << "S" << "k" << x511;
    QTest::newRow("511 characters whole") << ("[S]\r\nk=" + x511.toLatin1()) << "S" << "k" << x511;
    QTest::newRow("Windows-1252 value") << B("[S]\r\nk=caf\xE9 \x80 5") << "S" << "k" << u"café € 5"_qs;
    QTest::newRow("Windows-1252 names") << B("[Caf\xE9]\r\n\xC8t\xE0=v") << u"Café"_qs << u"Ètà"_qs << "v";
    QTest::newRow("only ASCII letters fold") << B("[S]\r\n\xE8=v") << "S" << u"È"_qs << "";
    QTest::newRow("asked name outside code page") << B("[S]\r\n?=v") << "S" << u"\u0101"_qs << "";
}

void TestIni::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QCOMPARE(iniLookup(content, section, key), expected);
    QCOMPARE(IniIndex::parse(content).value(section, key), expected);
    const QString file = path("t.ini");
    writeBytes(file, content);
    QCOMPARE(iniRead(file, section, key), expected);
    QCOMPARE(MLSReadIni(file, section, key), expected);
}

void TestIni::write_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("missing file") << false << QByteArray() << "App" << "key" << "value"
                                  << B("[App]\r\nkey=value\r\n");
    QTest::newRow("empty value") << false << QByteArray() << "App" << "key" << ""
                                 << B("[App]\r\nkey=\r\n");
    QTest::newRow("empty file") << true << QByteArray() << "App" << "key" << "value"
                                << B("[App]\r\nkey=value\r\n");
    QTest::newRow("new section") << true << B("[A]\r\na=1\r\n") << "B" << "k" << "v"
                                 << B("[A]\r\na=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("new section, open last line") << true << B("[A]\r\na=1") << "B" << "k" << "v"
                                                 << B("[A]\r\na=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("new key after last key")
        << true << B("[A]\r\na=1\r\nb=2\r\n; note\r\n\r\n[B]\r\nc=3\r\n") << "a" << "k" << "v"
        << B("[A]\r\na=1\r\nb=2\r\nk=v\r\n; note\r\n\r\n[B]\r\nc=3\r\n");
    QTest::newRow("new key in section without keys") << true << B("[A]\n; c\nx\n[B]\n") << "A" << "k" << "v"
                                                     << B("[A]\nk=v\r\n; c\nx\n[B]\n");
    QTest::newRow("section header is last line") << true << B("x=0\r\n[A]") << "A" << "k" << "v"
                                                 << B("x=0\r\n[A]\r\nk=v\r\n");
    QTest::newRow("last key line open") << true << B("[A]\ra=1") << "A" << "k" << "v"
                                        << B("[A]\ra=1\r\nk=v\r\n");
    QTest::newRow("replace keeps case and other bytes")
        << true << B("; top\n[Sec]\n  KEY = old \n\n[Other]\nkey=x\n") << "sec" << "key" << "new"
        << B("; top\n[Sec]\n  KEY =new\n\n[Other]\nkey=x\n");
    QTest::newRow("replace in first of repeated sections")
        << true << B("[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\n") << "A" << "k" << "v"
        << B("[A]\r\nk=v\r\n[B]\r\n[a]\r\nk=2\r\n");
    QTest::newRow("replace first of repeated keys") << true << B("[A]\r\nk=1\r\nk=2\r\n") << "A" << "k" << "v"
                                                    << B("[A]\r\nk=v\r\nk=2\r\n");
    QTest::newRow("key before sections untouched") << true << B("k=old\r\n[A]\r\n") << "A" << "k" << "v"
                                                   << B("k=old\r\n[A]\r\nk=v\r\n");
    QTest::newRow("names trimmed, value exact") << false << QByteArray() << " A " << " k " << "  v  "
                                                << B("[A]\r\nk=  v  \r\n");
    QTest::newRow("Windows-1252 value") << false << QByteArray() << "A" << "k" << u"€è\u0101"_qs
                                        << B("[A]\r\nk=\x80\xE8?\r\n");
    QTest::newRow("UTF-8 mark kept") << true << B("\xEF\xBB\xBF") << "A" << "k" << "v"
                                     << B("\xEF\xBB\xBF[A]\r\nk=v\r\n");
}

void TestIni::write()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    QCOMPARE(iniUpdated(before, section, key, value).value_or("<refused>"), after);

    const QString file = path("w.ini");
    if (exists)
        writeBytes(file, before);
    QVERIFY(iniWrite(file, section, key, value));
    QCOMPARE(fileBytes(file), after);
    // The temporary file of the atomic replace is gone.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"w.ini"});
}

void TestIni::writeRefusesWhatCannotReadBack_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("LF in value") << "A" << "k" << "x\n[B]";
    QTest::newRow("CR in value") << "A" << "k" << "x\rk2=y";
    QTest::newRow("NUL in value") << "A" << "k" << QString(u"x\0y"_qs);
    QTest::newRow("line break in key") << "A" << "k\nj" << "v";
    QTest::newRow("= in key") << "A" << "k=j" << "v";
    QTest::newRow("key like a header") << "A" << "[k" << "v";
    QTest::newRow("key like a comment") << "A" << ";k" << "v";
    QTest::newRow("empty key") << "A" << "   " << "v";
    QTest::newRow("] in section") << "A]B" << "k" << "v";
    QTest::newRow("empty section") << "" << "k" << "v";
    QTest::newRow("tab around name") << "\tA" << "k" << "v";
    QTest::newRow("name outside code page") << "A" << u"k\u0101"_qs << "v";
}

void TestIni::writeRefusesWhatCannotReadBack()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray before = B("[A]\r\nk=old\r\n");
    QVERIFY(!iniUpdated(before, section, key, value).has_value());
    const QString file = path("w.ini");
    writeBytes(file, before);
    QVERIFY(!iniWrite(file, section, key, value));
    QCOMPARE(fileBytes(file), before);
    QVERIFY(!iniWrite(path("new.ini"), section, key, value));
    QVERIFY(!QFile::exists(path("new.ini")));
}

void TestIni::writeFailures_data()
{
    QTest::addColumn<QString>("file");   // made first, with the old content
    QTest::addColumn<QString>("folder"); // made first
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("readOnly");  // the file is marked read-only
    // Beside a name this long (the longest is 255 bytes) no temporary file
    // fits, so the file cannot be replaced, as in a read-only folder; unlike
    // permissions, this binds root too.
    const QString longName = QString(246, u'n') + QStringLiteral(".ini");
    QTest::newRow("missing folder") << "" << "" << "nofolder/x.ini" << false;
    QTest::newRow("folder is a file") << "file" << "" << "file/x.ini" << false;
    QTest::newRow("target is a folder") << "" << "dir" << "dir" << false;
    QTest::newRow("empty path") << "" << "" << "" << false;
    QTest::newRow("no room to replace the file") << longName << "" << longName << false;
    QTest::newRow("file marked read-only") << "x.ini" << "" << "x.ini" << true;
}

void TestIni::writeFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QFETCH(QString, target);
    QFETCH(bool, readOnly);

    const QByteArray original = B("[A]\r\nk=old\r\n");
    if (!file.isEmpty())
        writeBytes(path(file), original);
    if (readOnly)
        QVERIFY(QFile::setPermissions(path(file), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (!folder.isEmpty())
        QVERIFY(QDir(m_dir->path()).mkdir(folder));

    const QString written = target.isEmpty() ? QString() : path(target);
    QVERIFY(!iniWrite(written, "A", "k", "new"));
    QCOMPARE(MLSWriteIni(written, "A", "k", "new"), 0);
    if (!file.isEmpty())
        QCOMPARE(fileBytes(path(file)), original);
    if (!folder.isEmpty())
        QVERIFY(QDir(path(folder)).isEmpty());
    // Nothing left behind, not even a temporary file.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
             int(!file.isEmpty()) + int(!folder.isEmpty()));
}

void TestIni::readFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("folder") << "folder";
    QTest::newRow("empty path") << "empty path";
    QTest::newRow("empty file") << "empty file";
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("over size limit") << "huge";
#ifdef Q_OS_UNIX
    QTest::newRow("pipe") << "pipe"; // opening it to read would block for ever
#endif
}

void TestIni::readFailures()
{
    QFETCH(QString, kind);
    QString file = path("f.lng");
    if (kind == "folder")
        QVERIFY(QDir().mkdir(file));
    else if (kind == "empty path")
        file.clear();
    else if (kind == "empty file")
        writeBytes(file, {});
    else if (kind == "garbage")
        writeBytes(file, randomBytes(5000, 7));
    else if (kind == "huge") {
        // Sparse: costs no disk, yet its length is over the limit.
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(kIniMaxFileBytes + 1));
    }
#ifdef Q_OS_UNIX
    else if (kind == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
#endif

    QCOMPARE(iniRead(file, "Strings", "0001"), QString());
    QCOMPARE(MLSReadIni(file, "Strings", "0001"), QString());
    if (kind != "empty file" && kind != "garbage")
        QVERIFY(!readFileBytes(file).has_value());
}

void TestIni::tenMegabyteFilesAreQuick()
{
    const QString file = path("big.lng");
    writeBytes(file, randomBytes(10 * 1024 * 1024, 11) + "\r\n[Strings]\r\n0001=\"end\"\r\n");
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(MLSReadIni(file, "Strings", "0001"), u"end"_qs);
    QCOMPARE(MLSReadIni(file, "Strings", "0002"), QString());
    QCOMPARE(iniRead(file, "Strings", "0001"), u"end"_qs);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void TestIni::sizeSwitch_data()
{
    // "k=value" gives "value" by the INI rules and "alu" by the line scan.
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<QString>("expected");
    QTest::newRow("63999") << qsizetype(63999) << "value";
    QTest::newRow("64000") << qsizetype(64000) << "value";
    QTest::newRow("64001") << qsizetype(64001) << "alu";
    QTest::newRow("64002") << qsizetype(64002) << "alu";
}

void TestIni::sizeSwitch()
{
    QFETCH(qsizetype, size);
    QFETCH(QString, expected);
    const QByteArray content = paddedTo("[Strings]\r\nk=value", size);
    QCOMPARE(content.size(), size);
    const QString file = path("s.lng");
    writeBytes(file, content);
    QCOMPARE(MLSReadIni(file, "Strings", "k"), expected);
}

void TestIni::lineScan_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray x600(600, 'x');

    QTest::newRow("quoted") << B("[Strings]\r\n0001=\"Ciao\"") << "Strings" << "0001" << "Ciao";
    QTest::newRow("unquoted loses both ends") << B("[Strings]\r\n0001=Ciao") << "Strings" << "0001" << "ia";
    QTest::newRow("case counts") << B("[S]\r\nkey=\"v\"") << "S" << "KEY" << "";
    QTest::newRow("first anywhere, sections ignored")
        << B("[FormA]\r\nLabel1.Caption=\"A\"\r\n[FormB]\r\nLabel1.Caption=\"B\"") << "FormB"
        << "Label1.Caption" << "A";
    QTest::newRow("before any section") << B("k=\"v\"\r\n[S]\r\nk=\"w\"") << "S" << "k" << "v";
    QTest::newRow("blanks around =") << B("[S]\r\nk = \"v\"") << "S" << "k" << " \"v";
    QTest::newRow("leading blank is no match") << B("[S]\r\n k=\"v\"") << "S" << "k" << "";
    QTest::newRow("any separator") << B("[S]\r\nk:\"v\"") << "S" << "k" << "v";
    QTest::newRow("key is a prefix") << B("[S]\r\n00012=\"x\"") << "S" << "0001" << "\"x";
    QTest::newRow("one character rest") << B("[S]\r\nk=x") << "S" << "k" << "";
    QTest::newRow("empty rest") << B("[S]\r\nk=") << "S" << "k" << "";
    QTest::newRow("line is the key") << B("[S]\r\nk") << "S" << "k" << "";
    QTest::newRow("short first match ends scan") << B("[S]\r\nk=x\r\nk=\"v\"") << "S" << "k" << "";
    QTest::newRow("two-character rest") << B("[S]\r\nk=\"\"") << "S" << "k" << "";
    QTest::newRow("lone CR ends") << B("a=1\r0001=\"x\"\rb") << "S" << "0001" << "x";
    QTest::newRow("LF ends") << B("a\n0001=\"x\"\n") << "S" << "0001" << "x";
    QTest::newRow("whole line, no cut") << ("k=\"" + x600 + '"') << "S" << "k" << QString::fromLatin1(x600);
    QTest::newRow("Windows-1252") << B("k=\"caf\xE9 \x80\"") << "S" << "k" << u"café €"_qs;
    QTest::newRow("missing") << B("[S]\r\na=\"1\"") << "S" << "k" << "";
}

void TestIni::lineScan()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString file = path("big.lng");
    writeBytes(file, paddedTo(content, 64001));
    QCOMPARE(MLSReadIni(file, section, key), expected);
}

void TestIni::getString_data()
{
    QTest::addColumn<QByteArray>("settings"); // null: no LangSetting.ini
    QTest::addColumn<QString>("lngName");     // empty: no language file
    QTest::addColumn<QByteArray>("lng");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("cachedName");

    const QByteArray strings = B("[Strings]\r\n0001=\"Nessun termine\"\r\n9999=\"Fine\"\r\n");
    const QByteArray settings = B("[Language]\r\nCurrentLanguage=\"Italiano\"\r\n");

    // A setting naming no readable language falls back on Italiano.lng.
    QTest::newRow("no settings file") << QByteArray() << "Italiano.lng" << strings << "0001" << "Nessun termine"
                                      << "";
    QTest::newRow("language file missing") << settings << "" << QByteArray() << "0001" << "" << "Italiano";
    QTest::newRow("normal") << settings << "Italiano.lng" << strings << "0001" << "Nessun termine"
                            << "Italiano";
    QTest::newRow("other id") << settings << "Italiano.lng" << strings << "9999" << "Fine" << "Italiano";
    QTest::newRow("missing id") << settings << "Italiano.lng" << strings << "0002" << "" << "Italiano";
    QTest::newRow("empty CurrentLanguage") << B("[Language]\r\nCurrentLanguage=\r\n") << "Italiano.lng"
                                           << strings << "0001" << "Nessun termine" << "";
    QTest::newRow("name with a folder") << B("[Language]\r\nCurrentLanguage=sub/It\r\n") << "sub/It.lng"
                                        << strings << "0001" << "" << "sub/It";
    QTest::newRow("large file by line scan") << settings << "Italiano.lng" << paddedTo(strings, 70000)
                                             << "9999" << "Fine" << "Italiano";
}

void TestIni::getString()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, lngName);
    QFETCH(QByteArray, lng);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    QFETCH(QString, cachedName);

    if (!settings.isNull())
        writeBytes(path("LangSetting.ini"), settings);
    if (!lngName.isEmpty()) {
        QDir(m_dir->path()).mkpath(QFileInfo(path(lngName)).path());
        writeBytes(path(lngName), lng);
    }
    QCOMPARE(MLSGetString(id), expected);
    QCOMPARE(state().currentLanguageName, cachedName);
}

void TestIni::languageNameIsCached()
{
    writeBytes(path("LangSetting.ini"), "[Language]\r\nCurrentLanguage=It\r\n");
    writeBytes(path("It.lng"), "[Strings]\r\n0001=\"ciao\"\r\n");
    writeBytes(path("En.lng"), "[Strings]\r\n0001=\"hello\"\r\n");
    QCOMPARE(MLSGetString("0001"), u"ciao"_qs);
    writeBytes(path("LangSetting.ini"), "[Language]\r\nCurrentLanguage=En\r\n");
    QCOMPARE(MLSGetString("0001"), u"ciao"_qs);
    state().currentLanguageName = "En";
    QCOMPARE(MLSGetString("0001"), u"hello"_qs);
}

void TestIni::lookupSeesChangeOnDisk()
{
    state().currentLanguageName = "It";
    const QString file = path("It.lng");
    writeBytes(file, "[Strings]\r\n0001=\"ciao\"\r\n");
    QCOMPARE(MLSGetString("0001"), u"ciao"_qs);
    const QDateTime stamp = QFileInfo(file).lastModified();

    // Same length, same time stamp: only the bytes tell.
    writeBytes(file, "[Strings]\r\n0001=\"CIAO\"\r\n");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    QCOMPARE(MLSGetString("0001"), u"CIAO"_qs);

    QVERIFY(QFile::remove(file));
    QCOMPARE(MLSGetString("0001"), QString());
    writeBytes(file, "[Strings]\r\n0001=\"ciao\"\r\n");
    QCOMPARE(MLSGetString("0001"), u"ciao"_qs);
}

void TestIni::languageFileJoinsFolder_data()
{
    QTest::addColumn<bool>("trailingSlash");
    QTest::newRow("plain folder") << false;
    QTest::newRow("folder ending in /") << true;
}

void TestIni::languageFileJoinsFolder()
{
    QFETCH(bool, trailingSlash);
    state().platform.programFolder = m_dir->path() + (trailingSlash ? "/" : "");
    state().currentLanguageName = u"Français"_qs;
    QCOMPARE(languageFile(), m_dir->path() + u"/Français.lng"_qs);
}

void TestIni::languageSettingRoundTrip()
{
    writeLanguageSetting(u"Français"_qs);
    QCOMPARE(fileBytes(path("LangSetting.ini")), B("[Language]\r\nCurrentLanguage=Fran\xE7" "ais\r\n"));
    QCOMPARE(readLanguageSetting(), u"Français"_qs);
    writeLanguageSetting("Deutsch");
    QCOMPARE(fileBytes(path("LangSetting.ini")), B("[Language]\r\nCurrentLanguage=Deutsch\r\n"));
    QCOMPARE(readLanguageSetting(), u"Deutsch"_qs);
}

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
