#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// Windows-1252, the 8-bit code page of the settings and language files.
// Every byte decodes to one character: the five bytes the code page leaves
// undefined (81 8D 8F 90 9D) become the control characters of the same
// number, so decoding and encoding again gives back the original bytes.

QString fromCp1252(QByteArrayView bytes);

// One byte per character; a character outside the code page becomes '?'
// (one '?' for a whole surrogate pair).
QByteArray toCp1252(QStringView text);

// As toCp1252, but nullopt when any character is outside the code page: for
// names that must match a file's bytes exactly rather than approximately.
std::optional<QByteArray> toCp1252Exact(QStringView text);
