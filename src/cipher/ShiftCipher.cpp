// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cipher/ShiftCipher.h"

#include "base/Failure.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace cindral::cipher {
namespace {

using Code = unsigned char;

constexpr int highestCode = 255;
constexpr int carriageReturn = 13;

// Runs `step` on every index below `count`. The fixed-length inner loop lets the compiler
// vectorise the step even at -O2.
template <typename Step> void forEachIndex(qsizetype count, Step step)
{
    constexpr qsizetype block = 1024;
    qsizetype index = 0;
    for (; index + block <= count; index += block) {
        for (qsizetype offset = 0; offset < block; ++offset)
            step(index + offset);
    }
    for (; index < count; ++index)
        step(index);
}

[[noreturn]] void failWith(int code, int shift)
{
    throw Failure(FailureNumber::IllegalCharacter, "a character of code " + std::to_string(code) +
                                                       " cannot be shifted by " +
                                                       std::to_string(shift));
}

// The shift as one code; a shift above 255 takes the very first character out of range.
Code shiftAmount(std::span<char> text, QByteArrayView password)
{
    const int shift = shiftOf(password);
    if (shift > highestCode)
        failWith(static_cast<Code>(text.front()), shift);
    return static_cast<Code>(shift);
}

Code* codesOf(std::span<char> text)
{
    return reinterpret_cast<Code*>(text.data());
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

// One pass shifts the piece and finds its highest code; whether every code fitted is known only
// after, but a piece that fails is thrown away, so nothing is lost by shifting it first.
void Encrypt(std::span<char> secret, QByteArrayView password)
{
    if (secret.empty())
        return;
    const Code amount = shiftAmount(secret, password);
    Code* const codes = codesOf(secret);
    Code highest = 0;
    forEachIndex(static_cast<qsizetype>(secret.size()), [&](qsizetype i) {
        highest = std::max(highest, codes[i]);
        codes[i] = static_cast<Code>(codes[i] + amount);
    });
    if (highest > highestCode - amount)
        failWith(highest, amount);
    // An encrypted body must hold no CR: reading it back for decryption would take a CR for a
    // line end and drop it. Only a shift below 14 (a control character third in the password)
    // can make one.
    if (amount <= carriageReturn && std::memchr(codes, carriageReturn, secret.size()) != nullptr)
        failWith(carriageReturn - amount, amount);
}

void decript(std::span<char> secret, QByteArrayView password)
{
    if (secret.empty())
        return;
    const Code amount = shiftAmount(secret, password);
    Code* const codes = codesOf(secret);
    Code lowest = highestCode;
    forEachIndex(static_cast<qsizetype>(secret.size()), [&](qsizetype i) {
        lowest = std::min(lowest, codes[i]);
        codes[i] = static_cast<Code>(codes[i] - amount);
    });
    if (lowest < amount)
        failWith(lowest, amount);
}

} // namespace cindral::cipher
