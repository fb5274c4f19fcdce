#include "platform/Cp1252.h"

#include <array>

namespace Cp1252 {

namespace {
// Unicode of the bytes 0x80..0x9F; the rest of the code page coincides with Latin-1.
// Zero marks the five bytes the code page leaves undefined (kept as their C1 control).
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char encoded = '?';
        for (std::size_t i = 0; i < HighControls.size(); ++i) {
            if (HighControls[i] == u || (HighControls[i] == 0 && u == 0x80 + i)) {
                encoded = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(encoded);
    }
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b < 0xA0 && HighControls[b - 0x80] != 0)
            text.append(QChar(HighControls[b - 0x80]));
        else
            text.append(QChar(b));
    }
    return text;
}

} // namespace Cp1252
