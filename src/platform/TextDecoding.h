#pragma once

#include <QByteArrayView>
#include <QString>

// How the program reads the bytes of its text files. They are written in the Windows code page,
// but a text editor may save them again as UTF-8: a file that is valid UTF-8 (with or without
// its byte order mark) is read as UTF-8, any other as the Windows code page.
namespace TextDecoding {

inline constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

// Length of the UTF-8 byte order mark at the start of `bytes`, or 0.
qsizetype bomLength(QByteArrayView bytes);

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing past
// U+10FFFF.
bool isUtf8(QByteArrayView bytes);

// The text of a whole file, without its byte order mark.
QString decode(QByteArrayView content);

// The same decision taken once for a whole file and applied to its lines one at a time, so that
// a file is never held twice over.
class FileDecoder {
public:
    explicit FileDecoder(QByteArrayView content);
    // The content without its byte order mark.
    QByteArrayView body() const { return m_body; }
    QString decode(QByteArrayView piece) const;

private:
    QByteArrayView m_body;
    bool m_utf8 = false;
};

} // namespace TextDecoding
