#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;

// The translators' checker behind the quadrivel-lng command: what a language
// file lacks against a reference file, and what in it the program would read
// otherwise than its author meant.

// A language file must stay below this size: from 64001 bytes on the program
// stops using the INI reader and reads every key by its line scan.
inline constexpr qsizetype kLanguageFileLimit = 64000;

struct LngFinding {
    enum class Kind {
        Missing,   // a key of the reference that the program finds nowhere in the file
        Size,      // the file is kLanguageFileLimit bytes or more
        Duplicate, // a key or a section written again; only the first is read
        LineScan,  // a line the line scan of a large file reads otherwise
        Unread,    // a line the program never reads (no '=', no section)
        Empty,     // an empty value where the reference has text
        Extra,     // a key the reference does not have (often a misspelt name)
        Encoding,  // the bytes look like UTF-8 or UTF-16, not Windows-1252
        Voice,     // [Voice] gives no locale the program can use, or an unreadable rate
    };
    Kind kind;
    int line = 0; // 1-based line of the checked file; 0 for the whole file or a missing key
    QString section;
    QString key;
    QString detail;

    // Missing keys, the size and the voice are errors; everything else is a
    // warning.
    bool isError() const { return kind == Kind::Missing || kind == Kind::Size || kind == Kind::Voice; }
};

// The warnings "check" prints; the rest are only counted.
inline constexpr qsizetype kMaxPrintedWarnings = 200;

struct LngReport {
    // The errors first (size, then missing keys in the reference's order),
    // then the first warnings in the order of their lines.
    std::vector<LngFinding> findings;
    // Every warning, kept in findings or not.
    qsizetype warningCount = 0;
};

// Checks the bytes of a language file against those of a reference file
// (and its [Voice] section, when either has one, on its own),
// keeping at most keptWarnings warnings: a file of garbage or of a million
// repeated lines would otherwise hold a finding for nearly every line.
LngReport checkLanguage(QByteArrayView file, QByteArrayView reference,
                        qsizetype keptWarnings = kMaxPrintedWarnings);

// The reference "check" uses when none is given: the first Italiano.lng found
// in the shipped assets the command was built from, in the program folder
// "quadrivel" beside the command, and beside the command itself. Empty when
// there is none.
QString defaultReference(const QString &toolFolder);

// Runs the command with its arguments (the program name left out) and returns
// its exit status: 0 success, 1 missing keys or too large a file ("check") or
// an empty reading ("get"), 2 a usage error or a file that cannot be read.
int runLngTool(const QStringList &args, const QString &toolFolder, QTextStream &out, QTextStream &err);
