#include "lang/Language.h"

#include "lang/IniFile.h"
#include "platform/ProgramState.h"

#include <QHash>

#include <algorithm>

namespace {

// From this length on a file is read by the line scan.
constexpr qsizetype kLineScanFromBytes = 64001;

const QString kSettingsFile = QStringLiteral("LangSetting.ini");
const QString kSettingsSection = QStringLiteral("Language");
const QString kSettingsKey = QStringLiteral("CurrentLanguage");

// Window localisation reads one file a few hundred times in a row. The file
// is still read whole on every lookup, so every change on disk is seen; only
// the parse is reused, and only for the very same bytes. The program has one
// thread, so the cache needs no lock.
struct ParsedFile {
    QByteArray bytes;
    IniIndex index;
};

const IniIndex &indexFor(const QString &file, const QByteArray &bytes)
{
    static QHash<QString, ParsedFile> cache;
    constexpr qsizetype kMaxFiles = 8;
    auto it = cache.find(file);
    if (it == cache.end()) {
        if (cache.size() >= kMaxFiles)
            cache.clear();
        it = cache.insert(file, {bytes, IniIndex::parse(bytes)});
    } else if (it->bytes != bytes) {
        *it = {bytes, IniIndex::parse(bytes)};
    }
    return it->index;
}

} // namespace

QString MLSReadIni(const QString &file, const QString &section, const QString &key)
{
    const std::optional<QByteArray> bytes = readFileBytes(file);
    if (!bytes)
        return {};
    if (bytes->size() >= kLineScanFromBytes)
        return iniLineScan(*bytes, key);
    return indexFor(file, *bytes).value(section, key);
}

int MLSWriteIni(const QString &file, const QString &section, const QString &key,
                const QString &value)
{
    return iniWrite(file, section, key, value) ? 1 : 0;
}

QString MLSGetString(const QString &id)
{
    ProgramState &s = state();
    if (s.currentLanguageName.isEmpty())
        s.currentLanguageName = readLanguageSetting();
    return MLSReadIni(languageFile(), QStringLiteral("Strings"), id);
}

QString languageFile()
{
    const QString &name = state().currentLanguageName;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(0)))
        return {};
    return programFile(name + QStringLiteral(".lng"));
}

QString readLanguageSetting()
{
    return MLSReadIni(programFile(kSettingsFile), kSettingsSection, kSettingsKey);
}

void writeLanguageSetting(const QString &name)
{
    MLSWriteIni(programFile(kSettingsFile), kSettingsSection, kSettingsKey, name);
}

QString messageBoxButton(MessageAnswer button)
{
    const char *key = button == MessageAnswer::Yes ? "Yes" : button == MessageAnswer::No ? "No" : "OK";
    return MLSReadIni(languageFile(), QStringLiteral("MsgBox"), QLatin1String(key));
}
