#pragma once

#include "cipher/EncryptedImage.h"

#include <QByteArray>
#include <initializer_list>
#include <ostream>

// Byte texts print as hexadecimal codes in test failures.
inline void PrintTo(const QByteArray& text, std::ostream* out)
{
    *out << '[' << text.toHex(' ').constData() << ']';
}

namespace cindral::test {

inline QByteArray bytes(std::initializer_list<int> codes)
{
    QByteArray text;
    for (const int code : codes)
        text.append(static_cast<char>(code));
    return text;
}

// What the writer puts in the file, and so what a decryption loads back.
inline QByteArray joined(const cipher::EncryptedImage& image)
{
    QByteArray file;
    for (const QByteArrayView piece : image.pieces())
        file.append(piece);
    return file;
}

// Five characters, the third of code 99, codes adding up to 495: shift 104, fingerprint 99.
inline const QByteArray examplePassword = "ccccc";

} // namespace cindral::test
