#pragma once

#include "cipher/EncryptedImage.h"
#include "cipher/Failure.h"

#include <QByteArray>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>

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

// What an action threw; no number when it threw nothing.
struct Thrown
{
    std::optional<FailureNumber> number;
    std::string what;
};

inline Thrown thrownBy(const auto& action)
{
    try {
        (void)action();
    } catch (const Failure& failure) {
        return {failure.number(), failure.what()};
    }
    return {};
}

// Five characters, the third of code 99, codes adding up to 495: shift 104, fingerprint 99.
inline const QByteArray examplePassword = "ccccc";

} // namespace cindral::test
