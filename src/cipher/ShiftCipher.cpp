#include "cipher/ShiftCipher.h"

#include "cipher/Failure.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace cindral::cipher {
namespace {

using Code = unsigned char;

constexpr int highestCode = 255;

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

Code highestIn(const Code* codes, qsizetype count)
{
    Code highest = 0;
    forEachIndex(count, [&](qsizetype i) { highest = std::max(highest, codes[i]); });
    return highest;
}

Code lowestIn(const Code* codes, qsizetype count)
{
    Code lowest = highestCode;
    forEachIndex(count, [&](qsizetype i) { lowest = std::min(lowest, codes[i]); });
    return lowest;
}

constexpr int carriageReturn = 13;

// An encrypted body must hold no CR: reading it back for decryption would take a CR for a line
// end and drop it. Only a shift below 14 (a control character third in the password) can make
// one, from the code 13 - shift.
struct ShiftUp
{
    Code amount;
    Code highestAllowed;
    int becomesCarriageReturn;

    explicit ShiftUp(Code shift)
        : amount(shift), highestAllowed(static_cast<Code>(highestCode - shift)),
          becomesCarriageReturn(carriageReturn - shift)
    {}

    [[nodiscard]] bool allFit(const Code* codes, qsizetype count) const
    {
        return highestIn(codes, count) <= highestAllowed &&
               (becomesCarriageReturn < 0 ||
                std::memchr(codes, becomesCarriageReturn, static_cast<size_t>(count)) == nullptr);
    }
    [[nodiscard]] bool fits(Code code) const
    {
        return code <= highestAllowed && code != becomesCarriageReturn;
    }
    [[nodiscard]] Code applied(Code code) const { return static_cast<Code>(code + amount); }
};

struct ShiftDown
{
    Code amount;

    [[nodiscard]] bool allFit(const Code* codes, qsizetype count) const
    {
        return lowestIn(codes, count) >= amount;
    }
    [[nodiscard]] bool fits(Code code) const { return code >= amount; }
    [[nodiscard]] Code applied(Code code) const { return static_cast<Code>(code - amount); }
};

[[noreturn]] void failWith(Code code, int shift)
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

// Checks and shifts the text a cache-sized part at a time, so each byte comes from memory once
// even though the check runs before any byte of its part is changed.
template <typename Shift> void shiftInPlace(std::span<char> text, Shift shift)
{
    constexpr qsizetype partSize = 16 * 1024;
    const auto count = static_cast<qsizetype>(text.size());
    auto* codes = reinterpret_cast<Code*>(text.data());
    for (qsizetype start = 0; start < count; start += partSize) {
        Code* part = codes + start;
        const qsizetype length = std::min(partSize, count - start);
        if (!shift.allFit(part, length)) {
            const auto fits = [&](Code code) { return shift.fits(code); };
            failWith(*std::find_if_not(part, part + length, fits), shift.amount);
        }
        forEachIndex(length, [&](qsizetype i) { part[i] = shift.applied(part[i]); });
    }
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

void Encrypt(std::span<char> secret, QByteArrayView password)
{
    if (!secret.empty())
        shiftInPlace(secret, ShiftUp(shiftAmount(secret, password)));
}

void decript(std::span<char> secret, QByteArrayView password)
{
    if (!secret.empty())
        shiftInPlace(secret, ShiftDown{shiftAmount(secret, password)});
}

} // namespace cindral::cipher
