#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

// Reading and writing single keys of INI files with the behaviour of the
// classic Windows profile functions (ANSI forms): Windows-1252 bytes, section
// and key names matched without regard to ASCII case, the first section and
// the first key of a name winning, one pair of outer quotes removed, values
// cut to 511 characters. Every failure reads as the empty text.

// Files above this size are not read at all: no settings or language file
// comes near it, and it bounds the memory a stray file can take.
inline constexpr qsizetype kIniMaxFileBytes = 64 * 1024 * 1024;

// The longest value a read returns (the classic 512-character buffer).
inline constexpr qsizetype kIniMaxValueChars = 511;

// What tells one state of a file on disk from another without reading it:
// a rewrite in place changes the size or the modification time, a
// replacement by rename changes the inode.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of a regular file; nullopt when the path is missing or is not a
// regular file.
std::optional<FileStamp> fileStamp(const QString &path);

// The whole content of a regular file, read through one open. nullopt when
// the path is missing, is not a regular file (a folder, a pipe, a device),
// cannot be read, or holds more than kIniMaxFileBytes. stamp, when given,
// receives the stamp of the file that was read.
std::optional<QByteArray> readFileBytes(const QString &path, FileStamp *stamp = nullptr);

// One line of INI content as the reader sees it.
struct IniLine {
    enum class Kind { Blank, Comment, Section, Entry, Other };
    Kind kind;
    QByteArrayView text;  // the whole line, without its line end
    QByteArrayView name;  // the section or key, trimmed of blanks
    QByteArrayView value; // trimmed of blanks, quotes still on
};

// Calls f for each line of content, in order, until f returns false. CR, LF
// and CR LF all end a line; a leading UTF-8 byte-order mark is skipped.
void forEachIniLine(QByteArrayView content, const std::function<bool(const IniLine &)> &f);

// A section or key name as the reader compares names: ASCII letters folded
// to lower case, every other byte as it is.
QByteArray foldIniName(QByteArrayView name);

// The value of key in section of INI content; empty when either is missing.
QString iniLookup(QByteArrayView content, QStringView section, QStringView key);

// The readable keys of INI content, parsed once; value() answers exactly as
// iniLookup on the same content. For repeated lookups in one file.
class IniIndex {
public:
    static IniIndex parse(QByteArrayView content);
    QString value(QStringView section, QStringView key) const;
    // Whether no section holds a readable key.
    bool isEmpty() const;

private:
    // Names folded to ASCII lower case; only first sections and first keys.
    QHash<QByteArray, QHash<QByteArray, QString>> m_sections;
};

// The plain line scan that reads large files: the first line anywhere (no
// sections, no blanks trimmed, no byte-order mark skipped, letter case
// exact) whose first characters are exactly key gives the rest of the line
// after key and one separator, less its first and last characters (taken for
// quotes), with no length limit. Empty when no line starts with key.
QString iniLineScan(QByteArrayView content, QStringView key);

QString iniRead(const QString &file, const QString &section, const QString &key);

// content with key of section set to value: the key's line replaced in
// place, or a new key line after the section's last key, or a new section at
// the end. Empty content stands for a missing file. nullopt when the names or
// the value cannot be written so that they read back as the same key: an
// empty name, a line break or NUL anywhere, '=' in the key, ']' in the
// section, a key starting with '[' or ';', a name outside Windows-1252.
std::optional<QByteArray> iniUpdated(QByteArrayView content, const QString &section,
                                     const QString &key, const QString &value);

// Sets one key on disk, creating the file or the section when missing. The
// new content replaces the file in one rename, so a failure leaves the old
// file whole. Every write is checked and the new content is on the disk
// before the rename. A link is followed; the replaced file keeps its
// permissions. false when the folder is missing, the file or folder cannot be
// written, the file is marked read-only (no write permission for anyone,
// which binds every user alike), the path is not a regular file, the disk is
// full, or iniUpdated refuses; the temporary file "<file>.XXXXXX" is then
// removed and the old file is as it was.
bool iniWrite(const QString &file, const QString &section, const QString &key,
              const QString &value);

// For tests: makes every following iniWrite fail at one step of the replace,
// as a full disk fails a write or the flush to the disk, or a folder taken
// away fails the rename, until set back to None.
enum class IniSaveFault { None, Write, Flush, Rename };
void setIniSaveFault(IniSaveFault fault);
