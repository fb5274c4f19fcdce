#include "platform/TextDecoding.h"

#include "platform/Cp1252.h"

namespace TextDecoding {

qsizetype bomLength(QByteArrayView bytes)
{
    return bytes.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
}

bool isUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int trailing = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
            code = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            code = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            code = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (end - p <= trailing)
            return false;
        for (int i = 1; i <= trailing; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += trailing + 1;
    }
    return true;
}

FileDecoder::FileDecoder(QByteArrayView content)
    : m_body(content.sliced(bomLength(content)))
    , m_utf8(isUtf8(m_body))
{}

QString FileDecoder::decode(QByteArrayView piece) const
{
    return m_utf8 ? QString::fromUtf8(piece) : Cp1252::decode(piece);
}

QString decode(QByteArrayView content)
{
    const FileDecoder decoder(content);
    return decoder.decode(decoder.body());
}

} // namespace TextDecoding
