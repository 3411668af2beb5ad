#include "lang/Language.h"

#include "lang/Cp1252.h"
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

QString lineScan(QByteArrayView content, QStringView key)
{
    // Every file byte decodes to a character of the code page, so a key
    // outside it can start no line.
    const std::optional<QByteArray> k = toCp1252Exact(key);
    if (!k)
        return {};
    const char *data = content.data();
    const qsizetype n = content.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && data[end] != '\r' && data[end] != '\n')
            ++end;
        const QByteArrayView line = content.sliced(pos, end - pos);
        if (line.startsWith(*k)) {
            // The key, one separator, then the value between two characters
            // that are taken for its quotes.
            const qsizetype restStart = std::min(k->size() + 1, line.size());
            const QByteArrayView rest = line.sliced(restStart);
            return rest.size() < 2 ? QString() : fromCp1252(rest.sliced(1, rest.size() - 2));
        }
        pos = end;
        if (pos < n)
            pos += (data[pos] == '\r' && pos + 1 < n && data[pos + 1] == '\n') ? 2 : 1;
    }
    return {};
}

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
        return lineScan(*bytes, key);
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
