#include "platform/TextDecoding.h"

#include "platform/Cp1252.h"

namespace TextDecoding {

qsizetype bomLength(QByteArrayView bytes)
{
    return bytes.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
}

bool isUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
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
