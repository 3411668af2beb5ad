#include "lang/Language.h"

#include "lang/IniFile.h"
#include "lang/LastResort.h"
#include "platform/ProgramState.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

// From this length on a file is read by the line scan.
constexpr qsizetype kLineScanFromBytes = 64001;

const QString kSettingsFile = QStringLiteral("LangSetting.ini");
const QString kSettingsSection = QStringLiteral("Language");
const QString kSettingsKey = QStringLiteral("CurrentLanguage");
const QString kFallbackLanguage = QStringLiteral("Italiano");

// Window localisation reads one file a few hundred times in a row. A file is
// parsed once and the parse reused while its stamp on disk stays the same.
// A file written in the last moments may change again within the coarse tick
// of file times without changing its stamp, so its bytes are read and
// compared at each lookup until its time stamp is old enough to trust. Every
// change on disk is thus seen at the next lookup. The program has one
// thread, so the cache needs no lock.
struct ParsedFile {
    FileStamp stamp;
    bool recent = false;   // written too lately for its stamp to tell a change
    bool lineScan = false;
    QByteArray bytes;
    IniIndex index;        // for the INI rules only
    mutable std::optional<bool> usable;   // see usableLanguage()
};

// Coarser than the time stamps of every file system the program may sit on.
constexpr qint64 kTrustStampAfterSeconds = 2;

bool writtenRecently(const FileStamp &stamp)
{
    return QDateTime::currentSecsSinceEpoch() - stamp.modifiedSeconds <= kTrustStampAfterSeconds;
}

// The parse of file as it stands on disk; null when it cannot be read.
const ParsedFile *parsed(const QString &file)
{
    static QHash<QString, ParsedFile> cache;
    constexpr qsizetype kMaxFiles = 8;
    const std::optional<FileStamp> stamp = fileStamp(file);
    const auto it = cache.find(file);
    if (stamp && it != cache.end() && it->stamp == *stamp && !it->recent)
        return &*it;

    FileStamp readStamp;
    std::optional<QByteArray> bytes = stamp ? readFileBytes(file, &readStamp) : std::nullopt;
    if (!bytes) {
        cache.remove(file);
        return nullptr;
    }
    if (it != cache.end() && it->bytes == *bytes) {
        it->stamp = readStamp;
        it->recent = writtenRecently(readStamp);
        return &*it;
    }
    ParsedFile p;
    p.stamp = readStamp;
    p.recent = writtenRecently(readStamp);
    p.lineScan = bytes->size() >= kLineScanFromBytes;
    if (!p.lineScan)
        p.index = IniIndex::parse(*bytes);
    p.bytes = std::move(*bytes);
    if (cache.size() >= kMaxFiles && it == cache.end())
        cache.clear();
    return &*cache.insert(file, std::move(p));
}

// Whether file holds at least one key where the program would look for it.
bool readableLanguage(const QString &file)
{
    const ParsedFile *p = parsed(file);
    return p && (p->lineScan ? !p->bytes.isEmpty() : !p->index.isEmpty());
}

// Whether file is a whole language: readable, and holding where the program
// looks for them the first message and the main menu's title. Any file can
// be named by hand or picked from the menu; one that lacks them (garbage,
// another kind of file) would leave every title and box empty. Worked out
// once per reading of the file: a line scan of a huge file costs.
bool usableLanguage(const QString &file)
{
    const ParsedFile *p = parsed(file);
    if (!p)
        return false;
    if (!p->usable) {
        const auto holds = [p](const QString &section, const QString &key) {
            return !(p->lineScan ? iniLineScan(p->bytes, key) : p->index.value(section, key)).isEmpty();
        };
        p->usable = holds(QStringLiteral("Strings"), QStringLiteral("0001"))
                    && holds(QStringLiteral("FormMenu"), QStringLiteral("FormMenu.Caption"));
    }
    return *p->usable;
}

QString namedLanguageFile()
{
    const QString &name = state().currentLanguageName;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(0)))
        return {};
    return programFile(name + QStringLiteral(".lng"));
}

} // namespace

QString MLSReadIni(const QString &file, const QString &section, const QString &key)
{
    const ParsedFile *p = parsed(file);
    if (!p)
        return {};
    return p->lineScan ? iniLineScan(p->bytes, key) : p->index.value(section, key);
}

SectionReader::SectionReader(const QString &file, const QString &section) : section_(section)
{
    if (const ParsedFile *p = parsed(file)) {
        readable_ = true;
        lineScan_ = p->lineScan;
        bytes_ = p->bytes;   // shared, not copied
        index_ = p->index;
    }
}

QString SectionReader::value(QStringView key) const
{
    if (!readable_)
        return {};
    return lineScan_ ? iniLineScan(bytes_, key) : index_.value(section_, key);
}

int MLSWriteIni(const QString &file, const QString &section, const QString &key,
                const QString &value)
{
    return iniWrite(file, section, key, value) ? 1 : 0;
}

namespace {

// Calls f for each whole language of the program folder, Italiano.lng
// first, then the others by name, until f returns true.
template <typename F>
void forEachWholeLanguage(F f)
{
    const QString first = programFile(kFallbackLanguage + QStringLiteral(".lng"));
    if (usableLanguage(first) && f(first))
        return;
    const QDir folder(state().platform.programFolder);
    for (const QString &name : folder.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name)) {
        const QString file = folder.filePath(name);
        if (file != first && usableLanguage(file) && f(file))
            return;
    }
}

// The file of the current language, its name loaded first when not yet known.
QString currentLanguageFile()
{
    ProgramState &s = state();
    if (s.currentLanguageName.isEmpty())
        s.currentLanguageName = readLanguageSetting();
    return languageFile();
}

struct Found {
    QString text;
    QString file;   // empty for the last resort
};

// key of section from file first when given, else the current language,
// else the next whole language holding it, else the last resort.
Found fromAnyLanguage(const QString &section, const QString &key, const QString &first = {})
{
    const QString current = currentLanguageFile();
    for (const QString &file : {first, current}) {
        if (file.isEmpty())
            continue;
        const QString text = MLSReadIni(file, section, key);
        if (!text.isEmpty())
            return {text, file};
    }
    Found found;
    forEachWholeLanguage([&](const QString &file) {
        if (file != current && file != first)
            found = {MLSReadIni(file, section, key), file};
        return !found.text.isEmpty();
    });
    if (!found.text.isEmpty())
        return found;
    return {lastResortText(key), QString()};
}

ButtonWords wordsOf(const QString &first)
{
    const QString section = QStringLiteral("MsgBox");
    return {fromAnyLanguage(section, QStringLiteral("Yes"), first).text,
            fromAnyLanguage(section, QStringLiteral("No"), first).text,
            fromAnyLanguage(section, QStringLiteral("OK"), first).text};
}

} // namespace

QString MLSGetString(const QString &id)
{
    return MLSReadIni(currentLanguageFile(), QStringLiteral("Strings"), id);
}

QString messageText(const QString &id)
{
    return fromAnyLanguage(QStringLiteral("Strings"), id).text;
}

QString languageFile()
{
    const QString named = namedLanguageFile();
    if (usableLanguage(named))
        return named;
    // A setting that names no usable language must not leave every title and
    // message box empty: the shipped first language stands in, else any
    // other usable language of the program folder. The setting stays as the
    // child left it.
    QString whole;
    forEachWholeLanguage([&](const QString &file) {
        whole = file;
        return true;
    });
    if (!whole.isEmpty())
        return whole;
    // No whole language anywhere: a partial one still says what it holds.
    const QString fallback = programFile(kFallbackLanguage + QStringLiteral(".lng"));
    return readableLanguage(named) || !readableLanguage(fallback) ? named : fallback;
}

namespace {

// The user's own LangSetting.ini; empty when the platform gives no folder.
QString userSettingsFile()
{
    const QString &folder = state().platform.configFolder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(kSettingsFile);
}

} // namespace

QString readLanguageSetting()
{
    // A user's copy that names no language (emptied by hand) does not hide
    // the program folder's.
    const QString user = userSettingsFile();
    if (!user.isEmpty() && QFileInfo(user).isFile()) {
        const QString name = MLSReadIni(user, kSettingsSection, kSettingsKey);
        if (!name.isEmpty())
            return name;
    }
    return MLSReadIni(programFile(kSettingsFile), kSettingsSection, kSettingsKey);
}

namespace {

// Whether name, written as the setting, reads back as the same name: blanks
// at its ends and characters outside Windows-1252 would not.
bool settingRoundTrips(const QString &name)
{
    const std::optional<QByteArray> written = iniUpdated({}, kSettingsSection, kSettingsKey, name);
    return written && IniIndex::parse(*written).value(kSettingsSection, kSettingsKey) == name;
}

// A save cut short (the program killed mid-write) leaves its temporary file,
// "LangSetting.ini." and six characters, beside the setting. Any such file
// older than a minute belongs to no save in progress.
void removeStaleSaves(const QString &settingsFile)
{
    const QFileInfo setting(settingsFile);
    const QDir folder = setting.dir();
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QString pattern = setting.fileName() + QStringLiteral(".??????");
    for (const QFileInfo &stale : folder.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (stale.lastModified() < before)
            QFile::remove(stale.filePath());
    }
}

} // namespace

SettingSaved writeLanguageSetting(const QString &name)
{
    if (!settingRoundTrips(name))
        return SettingSaved::NameNotKept;
    const QString inFolder = programFile(kSettingsFile);
    removeStaleSaves(inFolder);
    const bool inProgramFolder = MLSWriteIni(inFolder, kSettingsSection, kSettingsKey, name) != 0;
    // The user's copy is read first, so once it exists it must follow every
    // choice. It is made when the program folder cannot take the choice.
    const QString user = userSettingsFile();
    const bool userCopy = !user.isEmpty() && QFileInfo(user).isFile();
    if (userCopy || (!inProgramFolder && !user.isEmpty() && QDir().mkpath(QFileInfo(user).path()))) {
        removeStaleSaves(user);
        MLSWriteIni(user, kSettingsSection, kSettingsKey, name);
    }
    // Kept is what the next start will read, whichever writes failed.
    return readLanguageSetting() == name ? SettingSaved::Yes : SettingSaved::Nowhere;
}

ButtonWords messageBoxWords()
{
    return wordsOf({});
}

MessageAnswer showMessage(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                          MessageIcon icon)
{
    return state().platform.dialogs->message(parent, text, title, buttons, icon, messageBoxWords());
}

MessageAnswer showStringMessage(QWidget *parent, const QString &id, const QString &title, MessageButtons buttons,
                                MessageIcon icon)
{
    const Found text = fromAnyLanguage(QStringLiteral("Strings"), id);
    const ButtonWords words = text.file.isEmpty()
                                  ? ButtonWords{lastResortText(u"Yes"), lastResortText(u"No"), lastResortText(u"OK")}
                                  : wordsOf(text.file);
    return state().platform.dialogs->message(parent, text.text, title, buttons, icon, words);
}
