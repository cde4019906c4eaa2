#include "BenchText.h"

#include <QByteArray>
#include <QFile>
#include <cstdio>
#include <random>

namespace {

constexpr qint64 chunkSize = qint64{1} << 20;
constexpr int longestLine = 120;
constexpr int firstPrintable = 32;
constexpr int printableCount = 95;

void appendLine(QByteArray& chunk, std::minstd_rand& random)
{
    const int length = static_cast<int>(random() % (longestLine + 1));
    for (int i = 0; i < length; ++i)
        chunk.append(static_cast<char>(firstPrintable + random() % printableCount));
    chunk.append("\r\n");
}

} // namespace

bool writePlainText(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::minstd_rand random(1);
    QByteArray chunk;
    for (qint64 written = 0; written < size; written += chunk.size()) {
        chunk.clear();
        while (chunk.size() < std::min(chunkSize, size - written))
            appendLine(chunk, random);
        if (file.write(chunk) != chunk.size())
            return false;
    }
    return file.flush();
}

bool sameContent(const QString& left, const QString& right)
{
    QFile a(left);
    QFile b(right);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        if (a.read(chunkSize) != b.read(chunkSize))
            return false;
    }
    return true;
}
