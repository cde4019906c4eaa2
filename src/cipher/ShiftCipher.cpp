#include "cipher/ShiftCipher.h"

#include "cipher/Failure.h"

#include <algorithm>
#include <limits>
#include <string>

namespace cindral::cipher {
namespace {

using Code = unsigned char;

constexpr int highestCode = 255;

// Runs `step` on every index of a text. The fixed-length inner loop lets the compiler vectorise
// the step even at -O2, which keeps a shift of a whole file near the speed of a plain copy.
template <typename Step> void forEachIndex(qsizetype count, Step step)
{
    constexpr qsizetype block = 64;
    qsizetype index = 0;
    for (; index + block <= count; index += block) {
        for (qsizetype offset = 0; offset < block; ++offset)
            step(index + offset);
    }
    for (; index < count; ++index)
        step(index);
}

const Code* codesOf(const QByteArray& text)
{
    return reinterpret_cast<const Code*>(text.constData());
}

Code highestIn(const QByteArray& text)
{
    const Code* codes = codesOf(text);
    Code highest = 0;
    forEachIndex(text.size(), [&](qsizetype i) { highest = std::max(highest, codes[i]); });
    return highest;
}

Code lowestIn(const QByteArray& text)
{
    const Code* codes = codesOf(text);
    Code lowest = highestCode;
    forEachIndex(text.size(), [&](qsizetype i) { lowest = std::min(lowest, codes[i]); });
    return lowest;
}

template <typename Leaves> [[noreturn]] void failAtFirst(const QByteArray& text, Leaves leavesRange)
{
    const Code* codes = codesOf(text);
    const auto* first = std::find_if(codes, codes + text.size(), leavesRange);
    throw Failure(FailureNumber::IllegalCharacter,
                  "character " + std::to_string(first - codes + 1) + " leaves the codes 0 to 255");
}

// Only called once the text is known to stay within 0..255, so the buffer is touched (and, if
// shared, detached) only on success.
template <typename Change> void changeEach(QByteArray& text, Change change)
{
    auto* codes = reinterpret_cast<Code*>(text.data());
    forEachIndex(text.size(), [&](qsizetype i) { codes[i] = change(codes[i]); });
}

} // namespace

int shiftOf(QByteArrayView password)
{
    if (password.size() < 3)
        throw Failure(FailureNumber::IllegalCharacter, "the password has no third character");
    const qsizetype shift = static_cast<Code>(password[2]) + password.size();
    // Any shift above 255 already fails on every character; capping keeps it an int.
    return static_cast<int>(std::min<qsizetype>(shift, std::numeric_limits<int>::max()));
}

QByteArray Encrypt(QByteArray secret, QByteArrayView password)
{
    if (secret.isEmpty())
        return secret;
    const int shift = shiftOf(password);
    if (shift > highestCode || highestIn(secret) > highestCode - shift)
        failAtFirst(secret, [shift](Code c) { return c + shift > highestCode; });
    const auto amount = static_cast<Code>(shift);
    changeEach(secret, [amount](Code c) { return static_cast<Code>(c + amount); });
    return secret;
}

QByteArray decript(QByteArray secret, QByteArrayView password)
{
    if (secret.isEmpty())
        return secret;
    const int shift = shiftOf(password);
    if (shift > highestCode || lowestIn(secret) < shift)
        failAtFirst(secret, [shift](Code c) { return c < shift; });
    const auto amount = static_cast<Code>(shift);
    changeEach(secret, [amount](Code c) { return static_cast<Code>(c - amount); });
    return secret;
}

} // namespace cindral::cipher
