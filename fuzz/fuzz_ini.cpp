// libFuzzer target of the INI reader and writer. Besides crashes and the
// sanitizers' findings it checks, on any bytes taken as file content:
//
// 1. The two readers of small files agree: iniLookup (one pass) and IniIndex
//    (parsed once) give the same value for every key of the content.
// 2. The line scan that reads files of 64001 bytes or more agrees with the
//    indexed reader on every key whose line both read by the same rules:
//    the first line of the content that starts with the key's bytes is
//      key=qVq   (q a double or a single quote, V without NUL and at most
//                 511 bytes),
//    it is the entry the INI reader answers with (in the first section of
//    its name, the first key of its name there), and it is not a first line
//    behind a UTF-8 byte-order mark (the scan does not skip the mark). Both
//    then read V.
// 3. iniUpdated refuses exactly the names and values its contract names;
//    a key it wrote reads back as written when reading leaves the value
//    alone (no blanks at its ends, not inside one pair of quotes, at most 511
//    characters, all in Windows-1252); every other key reads as before.

#include "lang/Cp1252.h"
#include "lang/IniFile.h"

#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
// Bounds the work per input: each check of a key reads the whole input,
// and many short runs find more than few long ones.
constexpr std::size_t kMaxEntriesChecked = 2;

void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "INI property broken: %s\n", property);
        std::abort();
    }
}

struct Entry {
    int line;
    QByteArray section; // as written; empty before the first section (and for "[]")
    QByteArray key;     // as written, trimmed
    bool answers;       // the entry the INI reader answers with for its names
};

std::vector<Entry> entriesOf(QByteArrayView content)
{
    std::vector<Entry> entries;
    QSet<QByteArray> sections;
    QSet<QByteArray> keys;
    QByteArray section;
    bool inSection = false;
    bool firstOfName = false;
    int line = 0;
    forEachIniLine(content, [&](const IniLine &l) {
        if (l.kind == IniLine::Kind::Section) {
            section = l.name.toByteArray();
            const QByteArray folded = foldIniName(section);
            inSection = true;
            firstOfName = !sections.contains(folded);
            sections.insert(folded);
            keys.clear();
        } else if (l.kind == IniLine::Kind::Entry) {
            const QByteArray folded = foldIniName(l.name);
            const bool answers = inSection && !section.isEmpty() && firstOfName && !keys.contains(folded);
            keys.insert(folded);
            entries.push_back({line, section, l.name.toByteArray(), answers});
        }
        ++line;
        return true;
    });
    return entries;
}

// The lines as the line scan splits them: CR, LF and CR LF end a line,
// nothing skipped.
std::vector<QByteArrayView> scanLines(QByteArrayView content)
{
    std::vector<QByteArrayView> lines;
    qsizetype pos = 0;
    const qsizetype n = content.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines.push_back(content.sliced(pos, end - pos));
        pos = end;
        if (pos < n)
            pos += (content[pos] == '\r' && pos + 1 < n && content[pos + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Whether reading gives back value unchanged.
bool readsAsWritten(const QString &value)
{
    if (value.size() > kIniMaxValueChars || !toCp1252Exact(value))
        return false;
    if (!value.isEmpty() && (isBlank(value.front()) || isBlank(value.back())))
        return false;
    return !(value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''));
}

// A name as the INI functions take it: trimmed of spaces only.
QStringView spaceTrimmed(QStringView v)
{
    while (!v.isEmpty() && v.front() == u' ')
        v = v.sliced(1);
    while (!v.isEmpty() && v.back() == u' ')
        v.chop(1);
    return v;
}

// The names and value iniUpdated's contract accepts.
bool writable(const QString &section, const QString &key, const QString &value)
{
    auto name = [](const QString &n, char forbidden) -> std::optional<QByteArray> {
        const std::optional<QByteArray> bytes = toCp1252Exact(spaceTrimmed(n));
        if (!bytes || bytes->isEmpty() || bytes->contains('\r') || bytes->contains('\n') || bytes->contains('\0')
            || bytes->contains(forbidden) || bytes->front() == '\t' || bytes->back() == '\t')
            return std::nullopt;
        return bytes;
    };
    const std::optional<QByteArray> s = name(section, ']');
    const std::optional<QByteArray> k = name(key, '=');
    const QByteArray v = toCp1252(value);
    return s && k && k->front() != '[' && k->front() != ';' && !v.contains('\r') && !v.contains('\n')
        && !v.contains('\0');
}

std::uint64_t fnv1a(QByteArrayView bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

void readersAgree(QByteArrayView content, const IniIndex &index, const std::vector<Entry> &entries)
{
    const std::vector<QByteArrayView> lines = scanLines(content);
    // Entries spread over the whole input when there are more than checked.
    const std::size_t step = entries.size() / kMaxEntriesChecked + 1;
    for (std::size_t i = 0; i < entries.size(); i += step) {
        const Entry &e = entries[i];
        const QString section = fromCp1252(e.section);
        const QString key = fromCp1252(e.key);
        const QString indexed = index.value(section, key);
        require(iniLookup(content, section, key) == indexed, "iniLookup and IniIndex agree");

        if (!e.answers || e.key.isEmpty())
            continue;
        std::size_t first = 0;
        while (first < lines.size() && !lines[first].startsWith(e.key))
            ++first;
        if (first != static_cast<std::size_t>(e.line) || (first == 0 && content.startsWith(kUtf8Bom)))
            continue;
        const QByteArrayView line = lines[first];
        if (line.size() < e.key.size() + 3 || line[e.key.size()] != '=')
            continue;
        const QByteArrayView quoted = line.sliced(e.key.size() + 1);
        if (!isQuote(quoted.front()) || quoted.front() != quoted.back())
            continue;
        const QByteArrayView v = quoted.sliced(1, quoted.size() - 2);
        if (v.contains('\0') || v.size() > kIniMaxValueChars)
            continue;
        require(indexed == fromCp1252(v), "the indexed reader reads V from key=\"V\"");
        require(iniLineScan(content, key) == indexed, "the line scan agrees with the indexed reader");
    }
}

void writeReadsBack(QByteArrayView content, const IniIndex &before, const std::vector<Entry> &entries)
{
    // The write is chosen from the content itself, so the mutations steer it:
    // an existing key, a new key in an existing section, a new section; the
    // value is one line of the content.
    std::uint64_t h = fnv1a(content);
    auto pick = [&h](std::uint64_t n) {
        const std::uint64_t r = h % n;
        h /= n;
        return r;
    };
    const std::vector<QByteArrayView> lines = scanLines(content);
    QString section = QStringLiteral("Nuova");
    QString key = QStringLiteral("Chiave");
    if (!entries.empty()) {
        const Entry &e = entries[pick(entries.size())];
        switch (pick(3)) {
        case 0:
            section = fromCp1252(e.section);
            key = fromCp1252(e.key);
            break;
        case 1:
            section = fromCp1252(e.section);
            key = fromCp1252(e.key) + QLatin1Char('2');
            break;
        default:
            break;
        }
    }
    QString value;
    if (!lines.empty()) {
        value = fromCp1252(lines[pick(lines.size())]);
        if (pick(2) == 0)
            value = value.sliced(value.indexOf(u'=') + 1);
    }

    const std::optional<QByteArray> updated = iniUpdated(content, section, key, value);
    require(updated.has_value() == writable(section, key, value), "iniUpdated refuses exactly what it must");
    if (!updated)
        return;
    const IniIndex after = IniIndex::parse(*updated);
    require(after.value(section, key) == iniLookup(*updated, section, key), "both readers read the written key");
    if (readsAsWritten(value))
        require(after.value(section, key) == value, "a written key reads back");

    const QByteArray foldedSection = foldIniName(*toCp1252Exact(spaceTrimmed(section)));
    const QByteArray foldedKey = foldIniName(*toCp1252Exact(spaceTrimmed(key)));
    for (std::size_t i = 0; i < entries.size() && i < 4 * kMaxEntriesChecked; ++i) {
        const Entry &e = entries[i];
        if (foldIniName(e.section) == foldedSection && foldIniName(e.key) == foldedKey)
            continue;
        const QString s = fromCp1252(e.section);
        const QString k = fromCp1252(e.key);
        require(after.value(s, k) == before.value(s, k), "every other key keeps its value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const IniIndex index = IniIndex::parse(content);
    const std::vector<Entry> entries = entriesOf(content);
    readersAgree(content, index, entries);
    writeReadsBack(content, index, entries);
    return 0;
}
