#include "storage/windows1252.h"

#include <array>

namespace Tarvosk {

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> highControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? highControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeWindows1252(QStringView text)
{
    QByteArray bytes;
    appendWindows1252(bytes, text);
    return bytes;
}

void appendWindows1252(QByteArray &bytes, QStringView text, Append as)
{
    const bool line = as == Append::Line;
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size() + (line ? 2 : 0));
    char *out = bytes.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (line && (u == u'\r' || u == u'\n'))
            *out++ = ' ';
        else
            *out++ = u < 0x80 ? char(u) : byteFor(u);
        // A character beyond the first plane is two units but one character: one "?".
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    if (line) {
        *out++ = '\r';
        *out++ = '\n';
    }
    bytes.resize(out - bytes.constData());
}

} // namespace Tarvosk
