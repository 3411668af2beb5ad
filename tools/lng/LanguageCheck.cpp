#include "LanguageCheck.h"

#include "lang/Cp1252.h"
#include "lang/IniFile.h"
#include "lang/Language.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <optional>

namespace {

using Kind = LngFinding::Kind;

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

// Texts from the file are shown elided to this many characters.
constexpr qsizetype kShownChars = 70;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Text from a file made safe for a terminal: control characters as \xNN,
// long texts elided.
QString shown(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (out.size() >= kShownChars) {
            out += QStringLiteral("...");
            break;
        }
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(unsigned(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString shownName(QByteArrayView bytes)
{
    return shown(fromCp1252(bytes));
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + shown(text) + QLatin1Char('"');
}

// Keeps the first warnings in line order (those found first among warnings
// of one line) and counts them all; memory stays bounded however many.
class Warnings {
public:
    explicit Warnings(qsizetype limit) : limit_(std::max<qsizetype>(limit, 0)) {}

    void add(LngFinding finding)
    {
        ++count_;
        if (limit_ == 0)
            return;
        kept_.push_back({std::move(finding), count_});
        if (static_cast<qsizetype>(kept_.size()) >= 2 * limit_)
            trim();
    }

    qsizetype count() const { return count_; }

    // The kept warnings in line order.
    std::vector<LngFinding> take()
    {
        trim();
        std::vector<LngFinding> out;
        out.reserve(kept_.size());
        for (Kept &k : kept_)
            out.push_back(std::move(k.finding));
        kept_.clear();
        return out;
    }

private:
    struct Kept {
        LngFinding finding;
        qsizetype order;
    };

    void trim()
    {
        std::sort(kept_.begin(), kept_.end(), [](const Kept &a, const Kept &b) {
            return a.finding.line != b.finding.line ? a.finding.line < b.finding.line : a.order < b.order;
        });
        if (static_cast<qsizetype>(kept_.size()) > limit_)
            kept_.erase(kept_.begin() + limit_, kept_.end());
    }

    qsizetype limit_;
    qsizetype count_ = 0;
    std::vector<Kept> kept_;
};

struct Entry {
    int line;
    QByteArray section;  // as written
    QByteArray key;      // as written, without the blanks around it
    QByteArrayView text; // the whole line
};

// A file as the program's INI reader sees it: the entries it can read (the
// first key of a name in the first section of a name); the lines it skips go
// to the warnings.
struct Reading {
    std::vector<Entry> entries;
    QHash<QByteArray, QHash<QByteArray, std::size_t>> index; // folded section, folded key

    std::optional<std::size_t> find(const Entry &like) const
    {
        const auto keys = index.constFind(foldIniName(like.section));
        if (keys == index.cend())
            return std::nullopt;
        const auto at = keys->constFind(foldIniName(like.key));
        if (at == keys->cend())
            return std::nullopt;
        return *at;
    }
};

// warnings: where the skipped lines go; null to leave them out.
Reading read(QByteArrayView content, Warnings *warnings)
{
    Reading r;
    QHash<QByteArray, int> sectionLines; // first header of each folded name
    QHash<QByteArray, int> keyLines;     // first line of each folded key in the current section
    QByteArray section;
    bool inSection = false;
    bool collecting = false;
    auto note = [&](Kind kind, int line, QByteArrayView key, const QString &detail) {
        if (warnings)
            warnings->add({kind, line, inSection ? shownName(section) : QString(), shownName(key), detail});
    };

    int lineNo = 0;
    forEachIniLine(content, [&](const IniLine &line) {
        ++lineNo;
        switch (line.kind) {
        case IniLine::Kind::Blank:
        case IniLine::Kind::Comment:
            return true;
        case IniLine::Kind::Section: {
            section = line.name.toByteArray();
            inSection = true;
            keyLines.clear();
            const QByteArray folded = foldIniName(section);
            const auto first = sectionLines.constFind(folded);
            collecting = first == sectionLines.cend();
            if (collecting)
                sectionLines.insert(folded, lineNo);
            else
                note(Kind::Duplicate, lineNo, {},
                     QStringLiteral("the section starts again (first at line %1); the program reads only the "
                                    "first, so no key from here to the next section is read")
                         .arg(*first));
            return true;
        }
        case IniLine::Kind::Other:
        case IniLine::Kind::Entry:
            break;
        }
        const QByteArrayView key = line.name;
        if (key.isEmpty()) {
            note(Kind::Unread, lineNo, {},
                 QStringLiteral("%1: the program ignores this line")
                     .arg(line.kind == IniLine::Kind::Other ? QStringLiteral("no '='")
                                                            : QStringLiteral("no key before '='")));
            return true;
        }
        if (!inSection) {
            note(Kind::Unread, lineNo, key, QStringLiteral("before the first section: the program never reads it"));
            return true;
        }
        if (!collecting)
            return true;
        const QByteArray foldedKey = foldIniName(key);
        const auto first = keyLines.constFind(foldedKey);
        if (first != keyLines.cend()) {
            note(Kind::Duplicate, lineNo, key,
                 QStringLiteral("written again (first at line %1); the program reads the first").arg(*first));
            return true;
        }
        keyLines.insert(foldedKey, lineNo);
        r.index[foldIniName(section)].insert(foldedKey, r.entries.size());
        r.entries.push_back({lineNo, section, key.toByteArray(), line.text});
        return true;
    });
    return r;
}

// What the INI reader of a small file reads from the entry's line.
QString iniValue(const Entry &e)
{
    QByteArray alone("[s]\n");
    alone += e.text;
    return iniLookup(alone, u"s", fromCp1252(e.key));
}

// What the line scan of a large file reads from the line when it looks for
// key: the rest of the line after the key and one separator, less its first
// and last characters; the empty text when the line does not start with key.
QString scanValue(QByteArrayView line, QByteArrayView key)
{
    if (!line.startsWith(key))
        return {};
    const QByteArrayView rest = line.sliced(std::min(key.size() + 1, line.size()));
    return rest.size() < 2 ? QString() : fromCp1252(rest.sliced(1, rest.size() - 2));
}

QString scanDifference(QByteArrayView line, QByteArrayView key, const QString &ini, const QString &scan)
{
    if (!line.isEmpty() && isBlank(line.front()))
        return QStringLiteral("blanks before the key");
    if (!line.startsWith(key))
        return QStringLiteral("the key is written %1 but the line scan matches only %2")
            .arg(shownName(line.first(std::min(line.size(), key.size()))), shownName(key));
    const QByteArrayView rest = line.sliced(key.size());
    if (rest.isEmpty() || rest.front() != '=' || (rest.size() > 1 && isBlank(rest[1])))
        return QStringLiteral("blanks around '='");
    const QByteArrayView value = rest.sliced(1);
    if (value.size() >= 2 && value.front() == '"' && isBlank(value.back()))
        return QStringLiteral("blanks after the closing quote");
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return QStringLiteral("the value is not in double quotes");
    if (ini.size() == kIniMaxValueChars && scan.size() > ini.size())
        return QStringLiteral("the value is longer than %1 characters, where the INI reader stops")
            .arg(kIniMaxValueChars);
    return QStringLiteral("the line scan takes everything between the first and the last character after '='");
}

// key: the name as the program asks for it.
void checkLineScan(const Entry &e, QByteArrayView key, Warnings &warnings)
{
    const QString ini = iniValue(e);
    const QString scan = scanValue(e.text, key);
    if (ini == scan)
        return;
    warnings.add({Kind::LineScan, e.line, shownName(e.section), shownName(key),
                        scanDifference(e.text, key, ini, scan)
                            + QStringLiteral(": were the file 64001 bytes or more, the program would read %1, not %2")
                                  .arg(quoted(scan), quoted(ini))});
}

std::optional<QString> encodingProblem(QByteArrayView content)
{
    if (content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF") || content.contains('\0'))
        return QStringLiteral("the file holds NUL bytes or starts like UTF-16; save it as Windows-1252 text");
    if (content.startsWith(kUtf8Bom))
        return QStringLiteral("the file starts with a UTF-8 mark; save it as Windows-1252 text");
    const bool high = std::any_of(content.begin(), content.end(), [](char c) { return (c & 0x80) != 0; });
    if (!high)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = utf8(content); // the decoder finds errors as it converts
    if (utf8.hasError())
        return std::nullopt;
    return QStringLiteral("the accented letters are written in UTF-8, so the program would show two odd "
                          "characters for each; save the file as Windows-1252 text");
}

// What in the file's [Voice] section the program cannot use: a locale that
// is missing or is not written as language_COUNTRY ("it_IT"), a rate that is
// not a number from -1 to 1.
void checkVoice(const Reading &got, std::vector<LngFinding> &errors)
{
    const auto value = [&](const char *key) -> std::pair<int, QString> {
        const std::optional<std::size_t> at = got.find({0, "Voice", key, {}});
        return at ? std::pair(got.entries[*at].line, iniValue(got.entries[*at])) : std::pair(0, QString());
    };
    const auto [localeLine, locale] = value("Locale");
    if (locale.isEmpty() || QLocale(locale).name() != locale)
        errors.push_back({Kind::Voice, localeLine, QStringLiteral("Voice"), QStringLiteral("Locale"),
                          QStringLiteral("%1 is no locale: write the language and the country as in \"it_IT\" or "
                                         "\"en_GB\", or the text cannot be read aloud")
                              .arg(quoted(locale))});
    const auto [rateLine, rate] = value("Rate");
    bool number = true;
    const double r = rate.isEmpty() ? 0 : rate.toDouble(&number);
    if (!number || !(r >= -1 && r <= 1))
        errors.push_back({Kind::Voice, rateLine, QStringLiteral("Voice"), QStringLiteral("Rate"),
                          QStringLiteral("%1 is no rate: write a number from -1 (slowest) to 1 (fastest), 0 for the "
                                         "voice's own")
                              .arg(quoted(rate))});
}

QString label(Kind kind)
{
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("missing");
    case Kind::Size:
        return QStringLiteral("too large");
    case Kind::Duplicate:
        return QStringLiteral("duplicate");
    case Kind::LineScan:
        return QStringLiteral("line scan");
    case Kind::Unread:
        return QStringLiteral("not read");
    case Kind::Empty:
        return QStringLiteral("empty");
    case Kind::Extra:
        return QStringLiteral("not in reference");
    case Kind::Encoding:
        return QStringLiteral("encoding");
    case Kind::Voice:
        return QStringLiteral("voice");
    }
    return {};
}

QString formatted(const QString &file, const LngFinding &f)
{
    QString text = file;
    if (f.line > 0)
        text += QLatin1Char(':') + QString::number(f.line);
    text += QStringLiteral(": ") + (f.isError() ? QStringLiteral("error") : QStringLiteral("warning"))
        + QStringLiteral(": ") + label(f.kind);
    if (!f.section.isEmpty() || !f.key.isEmpty()) {
        text += QLatin1Char(' ');
        if (!f.section.isEmpty())
            text += QLatin1Char('[') + f.section + QLatin1Char(']');
        if (!f.section.isEmpty() && !f.key.isEmpty())
            text += QLatin1Char(' ');
        text += f.key;
    }
    if (!f.detail.isEmpty())
        text += QStringLiteral(": ") + f.detail;
    return text;
}

const char kUsage[] = "usage: quadrivel-lng get FILE SECTION KEY\n"
                      "       quadrivel-lng check FILE [REFERENCE]\n";

int usageError(QTextStream &err)
{
    err << kUsage;
    return 2;
}

std::optional<QByteArray> readOrSay(const QString &path, QTextStream &err)
{
    std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        err << "quadrivel-lng: cannot read " << path
            << " (missing, not a regular file, unreadable, or larger than " << kIniMaxFileBytes / (1024 * 1024)
            << " MiB)\n";
    return bytes;
}

int runGet(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 4)
        return usageError(err);
    if (!readOrSay(args[1], err))
        return 2;
    const QString value = MLSReadIni(args[1], args[2], args[3]);
    out << value << '\n';
    return value.isEmpty() ? 1 : 0;
}

int runCheck(const QStringList &args, const QString &toolFolder, QTextStream &out, QTextStream &err)
{
    if (args.size() < 2 || args.size() > 3)
        return usageError(err);
    const QString &file = args[1];
    const QString reference = args.size() == 3 ? args[2] : defaultReference(toolFolder);
    if (reference.isEmpty()) {
        err << "quadrivel-lng: no Italiano.lng found to compare with; name a reference file\n";
        return 2;
    }
    const std::optional<QByteArray> bytes = readOrSay(file, err);
    const std::optional<QByteArray> referenceBytes = readOrSay(reference, err);
    if (!bytes || !referenceBytes)
        return 2;

    out << "Checking " << file << " against " << reference << '\n';
    const LngReport report = checkLanguage(*bytes, *referenceBytes);
    const std::vector<LngFinding> &findings = report.findings;
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const LngFinding &f) { return f.isError(); });
    const qsizetype warnings = report.warningCount;
    for (const LngFinding &f : findings)
        out << formatted(file, f) << '\n';
    if (warnings > kMaxPrintedWarnings)
        out << "... and " << (warnings - kMaxPrintedWarnings) << " more warnings\n";
    if (findings.empty())
        out << file << ": complete, no warnings\n";
    else
        out << file << ": " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
            << (warnings == 1 ? " warning\n" : " warnings\n");
    return errors > 0 ? 1 : 0;
}

} // namespace

LngReport checkLanguage(QByteArrayView file, QByteArrayView reference, qsizetype keptWarnings)
{
    std::vector<LngFinding> errors;
    if (file.size() >= kLanguageFileLimit)
        errors.push_back({Kind::Size, 0, {}, {},
                          QStringLiteral("%1 bytes; a language file must stay below %2 bytes, since from 64001 "
                                         "bytes on the program reads it by a line scan that ignores sections")
                              .arg(file.size())
                              .arg(kLanguageFileLimit)});

    Warnings warnings(keptWarnings);
    const Reading wanted = read(reference, nullptr);
    const Reading got = read(file, &warnings);
    if (const std::optional<QString> problem = encodingProblem(file))
        warnings.add({Kind::Encoding, 0, {}, {}, *problem});

    std::vector<bool> known(got.entries.size(), false);
    for (const Entry &w : wanted.entries) {
        const std::optional<std::size_t> at = got.find(w);
        if (!at) {
            errors.push_back({Kind::Missing, 0, shownName(w.section), shownName(w.key),
                              QStringLiteral("the reference reads %1").arg(quoted(iniValue(w)))});
            continue;
        }
        known[*at] = true;
        const Entry &e = got.entries[*at];
        if (iniValue(e).isEmpty() && !iniValue(w).isEmpty())
            warnings.add({Kind::Empty, e.line, shownName(e.section), shownName(e.key),
                                QStringLiteral("the program reads nothing here; the reference reads %1")
                                    .arg(quoted(iniValue(w)))});
        checkLineScan(e, w.key, warnings);
    }
    for (std::size_t i = 0; i < got.entries.size(); ++i) {
        if (known[i])
            continue;
        const Entry &e = got.entries[i];
        warnings.add({Kind::Extra, e.line, shownName(e.section), shownName(e.key),
                            QStringLiteral("the reference has no such key; is the name misspelt?")});
        checkLineScan(e, e.key, warnings);
    }

    const QByteArray voice = foldIniName("Voice");
    if (got.index.contains(voice) || wanted.index.contains(voice))
        checkVoice(got, errors);

    LngReport report{std::move(errors), warnings.count()};
    std::vector<LngFinding> kept = warnings.take();
    report.findings.insert(report.findings.end(), std::make_move_iterator(kept.begin()),
                           std::make_move_iterator(kept.end()));
    return report;
}

QString defaultReference(const QString &toolFolder)
{
    const QDir tool(toolFolder);
    const QString candidates[] = {
        QDir(QString::fromUtf8(QUADRIVEL_ASSETS_DIR)).filePath(QStringLiteral("Italiano.lng")),
        tool.filePath(QStringLiteral("quadrivel/Italiano.lng")),
        tool.filePath(QStringLiteral("Italiano.lng")),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

int runLngTool(const QStringList &args, const QString &toolFolder, QTextStream &out, QTextStream &err)
{
    const QString command = args.value(0);
    if (command == QLatin1String("get"))
        return runGet(args, out, err);
    if (command == QLatin1String("check"))
        return runCheck(args, toolFolder, out, err);
    if (args.size() == 1
        && (command == QLatin1String("help") || command == QLatin1String("-h") || command == QLatin1String("--help"))) {
        out << kUsage;
        return 0;
    }
    return usageError(err);
}
