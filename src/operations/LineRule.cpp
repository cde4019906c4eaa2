#include "operations/LineRule.h"

#include <cstring>

namespace cindral {

namespace {

constexpr char cr = '\r';
constexpr char lf = '\n';

[[nodiscard]] bool isLoneCr(const char* text, qsizetype size, qsizetype at)
{
    return at + 1 == size || text[at + 1] != lf;
}

void joinLines(QByteArray& text)
{
    char* const begin = text.data();
    const char* const end = begin + text.size();
    char* out = begin;
    const char* in = begin;
    while (in < end) {
        const auto* found = static_cast<const char*>(std::memchr(in, cr, end - in));
        const char* lineEnd = found ? found : end;
        if (out != in)
            std::memmove(out, in, lineEnd - in);
        out += lineEnd - in;
        if (!found)
            break;
        in = found + 1;
        if (in < end && *in == lf)
            ++in;
    }
    text.resize(out - begin);
}

[[nodiscard]] qsizetype countLoneCrs(const QByteArray& text)
{
    const char* const begin = text.constData();
    const char* const end = begin + text.size();
    qsizetype count = 0;
    for (const char* in = begin; in < end; ++in) {
        in = static_cast<const char*>(std::memchr(in, cr, end - in));
        if (!in)
            break;
        count += isLoneCr(begin, text.size(), in - begin) ? 1 : 0;
    }
    return count;
}

[[nodiscard]] bool lastLineOpen(const QByteArray& text)
{
    return !text.isEmpty() && !text.endsWith(cr) && !text.endsWith("\r\n");
}

// Walks from the back, so every byte moves at most once and only to the right: each lone CR
// gains its LF, and the line rule leaves CR LF pairs as they are.
void spreadLoneCrs(char* text, qsizetype oldSize, qsizetype written, qsizetype unmoved)
{
    qsizetype searchEnd = unmoved;
    while (written > unmoved) {
        const auto* found = static_cast<const char*>(::memrchr(text, cr, searchEnd));
        const qsizetype at = found - text;
        searchEnd = at;
        if (!isLoneCr(text, oldSize, at))
            continue;
        const qsizetype tail = unmoved - (at + 1);
        written -= tail;
        std::memmove(text + written, text + at + 1, tail);
        written -= lineEndSize;
        text[written] = cr;
        text[written + 1] = lf;
        unmoved = at;
    }
}

// A CR LF text is its own result; only lone CRs and an open last line make it grow, once.
void appendLineEnds(QByteArray& text)
{
    const qsizetype loneCrs = countLoneCrs(text);
    const bool open = lastLineOpen(text);
    if (loneCrs == 0 && !open)
        return;
    const qsizetype oldSize = text.size();
    const qsizetype newSize = oldSize + loneCrs + (open ? lineEndSize : 0);
    text.reserve(newSize);
    text.resize(newSize);
    char* const data = text.data();
    qsizetype written = newSize;
    if (open) {
        written -= lineEndSize;
        data[written] = cr;
        data[written + 1] = lf;
    }
    spreadLoneCrs(data, oldSize, written, oldSize);
}

} // namespace

void applyLineRule(QByteArray& text, LineEnds lineEnds)
{
    if (lineEnds == LineEnds::Append)
        appendLineEnds(text);
    else
        joinLines(text);
}

} // namespace cindral
