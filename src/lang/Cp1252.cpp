#include "lang/Cp1252.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; every other byte is the character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Walks text and hands each code point's byte (or nullopt) to sink; a valid
// surrogate pair is one code point, and never one the code page holds.
template <typename Emit>
void encodeEach(QStringView text, Emit sink)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            sink(std::optional<char>());
            continue;
        }
        sink(encodeOne(c.unicode()));
    }
}

} // namespace

QString fromCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= 0x80 && u < 0xA0 ? kHighControls[u - 0x80] : char16_t(u));
    }
    return text;
}

QByteArray toCp1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    encodeEach(text, [&](std::optional<char> b) { bytes.append(b.value_or('?')); });
    return bytes;
}

std::optional<QByteArray> toCp1252Exact(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool exact = true;
    encodeEach(text, [&](std::optional<char> b) {
        exact = exact && b.has_value();
        bytes.append(b.value_or('?'));
    });
    if (!exact)
        return std::nullopt;
    return bytes;
}
