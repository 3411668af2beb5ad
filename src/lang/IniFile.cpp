#include "lang/IniFile.h"

#include "lang/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

struct Line {
    qsizetype start; // first byte of the line
    qsizetype end;   // one past its last byte, before the line end
    qsizetype next;  // first byte of the following line
};

// Calls f(line, text) for each line until f returns false. CR, LF and CR LF
// all end a line; the last line needs no end. A leading UTF-8 byte-order
// mark belongs to no line.
template <typename F>
void forEachLine(QByteArrayView content, F f)
{
    const char *data = content.data();
    const qsizetype n = content.size();
    qsizetype pos = content.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && data[end] != '\r' && data[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (data[next] == '\r' && next + 1 < n && data[next + 1] == '\n') ? 2 : 1;
        if (!f(Line{pos, end, next}, content.sliced(pos, end - pos)))
            return;
        pos = next;
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView v)
{
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

QByteArray fold(QByteArrayView name)
{
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        folded[i] = asciiLower(name[i]);
    return folded;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

using Kind = IniLine::Kind;

struct Parsed {
    Kind kind;
    QByteArrayView name;  // section or key, trimmed
    QByteArrayView value; // trimmed, quotes still on
};

Parsed classify(QByteArrayView line)
{
    const QByteArrayView t = trimBlanks(line);
    if (t.isEmpty())
        return {Kind::Blank, {}, {}};
    if (t.front() == '[') {
        QByteArrayView inner = t.sliced(1);
        const qsizetype close = inner.indexOf(']');
        if (close >= 0)
            inner = inner.first(close);
        return {Kind::Section, trimBlanks(inner), {}};
    }
    if (t.front() == ';')
        return {Kind::Comment, {}, {}};
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return {Kind::Other, {}, {}};
    return {Kind::Entry, trimBlanks(t.first(eq)), trimBlanks(t.sliced(eq + 1))};
}

QString cleanValue(QByteArrayView v)
{
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
        v = v.sliced(1, v.size() - 2);
    // The classic reader hands the value over as a C string.
    const qsizetype nul = v.indexOf('\0');
    if (nul >= 0)
        v = v.first(nul);
    return fromCp1252(v.first(std::min(v.size(), kIniMaxValueChars)));
}

// A name asked for, as the bytes it must match: trimmed of spaces (tabs
// stay), nullopt when empty or when no file byte could stand for it.
std::optional<QByteArray> askedName(QStringView name)
{
    while (!name.isEmpty() && name.front() == u' ')
        name = name.sliced(1);
    while (!name.isEmpty() && name.back() == u' ')
        name.chop(1);
    if (name.isEmpty())
        return std::nullopt;
    return toCp1252Exact(name);
}

bool hasLineBreakOrNul(QByteArrayView v)
{
    return v.contains('\r') || v.contains('\n') || v.contains('\0');
}

// A name to write that reads back as the same name, or nullopt.
std::optional<QByteArray> writableName(QStringView name, char forbidden)
{
    const std::optional<QByteArray> bytes = askedName(name);
    if (!bytes || hasLineBreakOrNul(*bytes) || bytes->contains(forbidden)
        || trimBlanks(*bytes).size() != bytes->size())
        return std::nullopt;
    return bytes;
}

bool endsWithLineEnd(QByteArrayView content)
{
    return !content.isEmpty() && (content.back() == '\r' || content.back() == '\n');
}

} // namespace

void forEachIniLine(QByteArrayView content, const std::function<bool(const IniLine &)> &f)
{
    forEachLine(content, [&](const Line &, QByteArrayView text) {
        const Parsed p = classify(text);
        return f(IniLine{p.kind, text, p.name, p.value});
    });
}

QByteArray foldIniName(QByteArrayView name)
{
    return fold(name);
}

namespace {

FileStamp stampOf(const struct stat &info)
{
    return {static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino),
            static_cast<qint64>(info.st_size), static_cast<qint64>(info.st_mtim.tv_sec),
            static_cast<qint64>(info.st_mtim.tv_nsec)};
}

} // namespace

std::optional<FileStamp> fileStamp(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

std::optional<QByteArray> readFileBytes(const QString &path, FileStamp *stamp)
{
    if (path.isEmpty())
        return std::nullopt;
    // Plain system calls: window localisation reads the language file a few
    // hundred times in a row, and each Qt file object costs several more.
    // O_NONBLOCK keeps a named pipe of that name from blocking the open; only
    // regular files are read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kIniMaxFileBytes) {
        if (stamp)
            *stamp = stampOf(info);
        // Read to the end rather than trust the size: the file may change meanwhile.
        QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
        qsizetype used = 0;
        for (;;) {
            if (used == bytes.size()) {
                if (bytes.size() > kIniMaxFileBytes)
                    break;
                bytes.resize(std::min<qsizetype>(bytes.size() * 2, kIniMaxFileBytes + 1));
            }
            const ssize_t got = ::read(fd, bytes.data() + used, static_cast<size_t>(bytes.size() - used));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                break;
            if (got == 0) {
                bytes.truncate(used);
                result = std::move(bytes);
                break;
            }
            used += got;
        }
    }
    ::close(fd);
    return result;
}

QString iniLookup(QByteArrayView content, QStringView section, QStringView key)
{
    const std::optional<QByteArray> sec = askedName(section);
    const std::optional<QByteArray> k = askedName(key);
    if (!sec || !k)
        return {};
    bool inside = false;
    QString result;
    forEachLine(content, [&](const Line &, QByteArrayView text) {
        const Parsed p = classify(text);
        if (p.kind == Kind::Section) {
            if (inside)
                return false; // only the first section of the name counts
            inside = sameName(p.name, *sec);
        } else if (inside && p.kind == Kind::Entry && sameName(p.name, *k)) {
            result = cleanValue(p.value);
            return false;
        }
        return true;
    });
    return result;
}

QString iniLineScan(QByteArrayView content, QStringView key)
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

IniIndex IniIndex::parse(QByteArrayView content)
{
    IniIndex index;
    QByteArray current;
    bool collecting = false; // keys before any section, or in a repeated one, are unreadable
    forEachLine(content, [&](const Line &, QByteArrayView text) {
        const Parsed p = classify(text);
        if (p.kind == Kind::Section) {
            current = fold(p.name);
            collecting = !index.m_sections.contains(current);
            if (collecting)
                index.m_sections.insert(current, {});
        } else if (collecting && p.kind == Kind::Entry) {
            QHash<QByteArray, QString> &keys = index.m_sections[current];
            const QByteArray name = fold(p.name);
            if (!keys.contains(name))
                keys.insert(name, cleanValue(p.value));
        }
        return true;
    });
    return index;
}

namespace {

// A name asked for, trimmed of spaces and folded, written into buffer when it
// is plain ASCII (as every name the program asks for is); false otherwise.
// Spares the allocations of the general path on the hot path of window
// localisation.
template <qsizetype N>
bool foldedAsciiName(QStringView name, QVarLengthArray<char, N> &buffer)
{
    while (!name.isEmpty() && name.front() == u' ')
        name = name.sliced(1);
    while (!name.isEmpty() && name.back() == u' ')
        name.chop(1);
    if (name.isEmpty())
        return false;
    buffer.resize(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c == 0 || c >= 0x80)
            return false;
        buffer[i] = asciiLower(char(c));
    }
    return true;
}

} // namespace

QString IniIndex::value(QStringView section, QStringView key) const
{
    QVarLengthArray<char, 64> sectionBytes;
    QVarLengthArray<char, 64> keyBytes;
    if (foldedAsciiName(section, sectionBytes) && foldedAsciiName(key, keyBytes)) {
        // Views of the buffers: no copy is made for the look-up.
        const auto keys =
            m_sections.constFind(QByteArray::fromRawData(sectionBytes.constData(), sectionBytes.size()));
        if (keys == m_sections.cend())
            return {};
        return keys->value(QByteArray::fromRawData(keyBytes.constData(), keyBytes.size()));
    }
    const std::optional<QByteArray> sec = askedName(section);
    const std::optional<QByteArray> k = askedName(key);
    if (!sec || !k)
        return {};
    const auto keys = m_sections.constFind(fold(*sec));
    if (keys == m_sections.cend())
        return {};
    return keys->value(fold(*k));
}

bool IniIndex::isEmpty() const
{
    return std::all_of(m_sections.cbegin(), m_sections.cend(), [](const auto &keys) { return keys.isEmpty(); });
}

QString iniRead(const QString &file, const QString &section, const QString &key)
{
    const std::optional<QByteArray> content = readFileBytes(file);
    return content ? iniLookup(*content, section, key) : QString();
}

std::optional<QByteArray> iniUpdated(QByteArrayView content, const QString &section,
                                     const QString &key, const QString &value)
{
    const std::optional<QByteArray> sec = writableName(section, ']');
    const std::optional<QByteArray> k = writableName(key, '=');
    const QByteArray val = toCp1252(value);
    if (!sec || !k || k->front() == '[' || k->front() == ';' || hasLineBreakOrNul(val))
        return std::nullopt;

    bool inside = false;
    qsizetype afterHeader = -1;
    qsizetype afterLastKey = -1;
    std::optional<Line> keyLine;
    forEachLine(content, [&](const Line &line, QByteArrayView text) {
        const Parsed p = classify(text);
        if (p.kind == Kind::Section) {
            if (inside)
                return false;
            inside = sameName(p.name, *sec);
            if (inside)
                afterHeader = line.next;
        } else if (inside && p.kind == Kind::Entry) {
            afterLastKey = line.next;
            if (sameName(p.name, *k)) {
                keyLine = line;
                return false;
            }
        }
        return true;
    });

    QByteArray out;
    out.reserve(content.size() + sec->size() + k->size() + val.size() + 8);
    if (keyLine) {
        // Everything up to the '=' stays, so the key keeps its spelling.
        const qsizetype valueStart =
            keyLine->start + content.sliced(keyLine->start).indexOf('=') + 1;
        out.append(content.first(valueStart));
        out.append(val);
        out.append(content.sliced(keyLine->end));
        return out;
    }
    if (afterHeader >= 0) {
        const qsizetype at = afterLastKey >= 0 ? afterLastKey : afterHeader;
        out.append(content.first(at));
        if (at == content.size() && !endsWithLineEnd(content))
            out.append("\r\n");
        out.append(*k + '=' + val + "\r\n");
        out.append(content.sliced(at));
        return out;
    }
    out.append(content);
    const qsizetype bomSize = content.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
    if (content.size() > bomSize && !endsWithLineEnd(content))
        out.append("\r\n");
    out.append('[' + *sec + "]\r\n" + *k + '=' + val + "\r\n");
    return out;
}

namespace {

IniSaveFault injectedFault = IniSaveFault::None;

// The step a save fails at for tests; errno as a full disk or a folder taken
// away sets it.
bool injected(IniSaveFault step, int error)
{
    if (injectedFault != step)
        return false;
    errno = error;
    return true;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (injected(IniSaveFault::Write, ENOSPC))
            return false;
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A new file beside target named "<target name>.XXXXXX", opened for writing,
// that no other file of that name was; -1 when none can be made.
int createBeside(const QByteArray &target, QByteArray &name)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 64;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = target + '.';
        for (int i = 0; i < 6; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Makes the names of folder's entries as they stand now survive a power cut.
// Some file systems cannot sync a folder; the replace itself has happened by
// then, so that is no failure of the save.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes bytes into a new file beside target and renames it over target,
// every step checked: the data and the flush to disk before the rename, so
// that a full disk or an error of the device leaves target as it was. mode
// is given to the new file when set. The temporary file is gone afterwards
// whatever happened.
bool replaceFile(const QByteArray &target, QByteArrayView bytes, std::optional<mode_t> mode)
{
    QByteArray temporary;
    const int fd = createBeside(target, temporary);
    if (fd < 0)
        return false;
    bool ok = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes);
    ok = ok && !injected(IniSaveFault::Flush, EIO) && ::fsync(fd) == 0;
    // A network file system may report a failed write only at the close.
    ok = ::close(fd) == 0 && ok;
    ok = ok && !injected(IniSaveFault::Rename, ENOENT) && ::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    const qsizetype slash = target.lastIndexOf('/');
    syncFolder(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.first(slash));
    return true;
}

} // namespace

void setIniSaveFault(IniSaveFault fault)
{
    injectedFault = fault;
}

bool iniWrite(const QString &file, const QString &section, const QString &key,
              const QString &value)
{
    if (file.isEmpty())
        return false;
    // A link is followed, so the file it names takes the new content and
    // the link stays.
    const QFileInfo info(file);
    const bool exists = info.exists();
    const QByteArray target = QFile::encodeName(exists ? info.canonicalFilePath() : file);
    QByteArray old;
    std::optional<mode_t> mode;
    if (exists) {
        // What cannot be read cannot be kept: refuse rather than overwrite.
        const std::optional<QByteArray> bytes = readFileBytes(file);
        struct stat status {};
        if (!bytes || ::stat(target.constData(), &status) != 0)
            return false;
        // A file marked read-only is left alone, by every user alike: someone
        // meant it to stay.
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.constData(), W_OK) != 0)
            return false;
        old = *bytes;
        mode = status.st_mode & 07777;
    }
    const std::optional<QByteArray> updated = iniUpdated(old, section, key, value);
    if (!updated)
        return false;
    if (exists && *updated == old)
        return true;
    return replaceFile(target, *updated, mode);
}
