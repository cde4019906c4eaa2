// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

// cindral-crash-states: what the next run makes of the states a crash can leave an overwrite in
// place in, under a strict write-back model: the recovery copy and its record are on the disk
// (they are synced before the first byte is overwritten), while of the overwrite itself any set
// of 4 KiB pages may have reached the disk, and the file's new length or not. Each trial makes
// a file, a real recovery copy for it and such a state, then runs the real recovery, and checks
// that the file ends holding its old text or its new one and that nothing is left behind; a
// second kind of trial changes one byte of such a state, as someone else would, and checks that
// the file is then left exactly as it is and the new text kept.
//   cindral-crash-states [TRIALS] [FOLDER]      (defaults: 1000, a temporary folder)
#include "files/InterruptedSaves.h"
#include "files/OpenedFile.h"
#include "files/RecoveryCopy.h"

#include <QByteArray>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 page = 4096;

QByteArray randomText(QRandomGenerator& random, qint64 length)
{
    QByteArray text(length, Qt::Uninitialized);
    for (char& byte : text)
        byte = static_cast<char>(random.bounded(256));
    return text;
}

bool write(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return ::close(fd) == 0 && written;
}

QByteArray read(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Some of the new text's pages over the old text, the rest as the disk had them: the old text,
// or zeros where the file grew; the new length or the old.
QByteArray crashState(QRandomGenerator& random, const QByteArray& old, const QByteArray& text)
{
    const qint64 longest = std::max(old.size(), text.size());
    QByteArray state = old + QByteArray(longest - old.size(), 0);
    const int share = random.bounded(101);
    for (qint64 at = 0; at < text.size(); at += page) {
        if (random.bounded(100) < share)
            state.replace(at, std::min(page, text.size() - at), text.mid(at, page));
    }
    const bool lengthReached = random.bounded(2) == 1;
    return state.left(lengthReached ? text.size() : old.size());
}

struct Outcome
{
    int old = 0;
    int newText = 0;
    int wrong = 0;
};

// One trial: the state written over the file, the copy left as a killed save leaves it, then the
// recovery. Gives what the file holds afterwards, and whether its recovery folder was left empty.
std::pair<QByteArray, bool> recover(const QByteArray& path, const QByteArray& old,
                                    const QByteArray& text, const QByteArray& state)
{
    write(path, old);
    {
        const cindral::OpenedFile file(path);
        cindral::RecoveryCopy copy;
        copy.sink().write(text);
        copy.keepFor(file);
        copy.markOverwriteBegun();
        write(path, state);
    }
    (void)cindral::finishInterruptedSaves();
    const QStringList left = QDir(qEnvironmentVariable("XDG_STATE_HOME") + "/cindral/recovery")
                                 .entryList(QDir::Files | QDir::Hidden);
    return {read(path), left.isEmpty()};
}

} // namespace

int main(int argc, char* argv[])
{
    const int trials = argc > 1 ? std::atoi(argv[1]) : 1000;
    const QTemporaryDir scratch(argc > 2 ? QString::fromLocal8Bit(argv[2]) + "/crash-XXXXXX"
                                         : QDir::tempPath() + "/crash-XXXXXX");
    qputenv("XDG_STATE_HOME", QFile::encodeName(scratch.filePath("state")));
    const QByteArray path = QFile::encodeName(scratch.filePath("notes.txt"));
    QRandomGenerator random(20261207);
    Outcome crashes;
    int edits = 0;
    int editsLeft = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const QByteArray old =
            randomText(random, random.bounded(1, 64) * page + random.bounded(page));
        const QByteArray text =
            randomText(random, random.bounded(1, 64) * page + random.bounded(page));
        const QByteArray state = crashState(random, old, text);
        const auto [after, clean] = recover(path, old, text, state);
        if (after == old && clean)
            ++crashes.old;
        else if (after == text && clean)
            ++crashes.newText;
        else
            ++crashes.wrong;
        QByteArray edited = state;
        edited[random.bounded(state.size())] ^= static_cast<char>(random.bounded(1, 256));
        const auto [afterEdit, cleanAfterEdit] = recover(path, old, text, edited);
        ++edits;
        editsLeft += afterEdit == edited && !cleanAfterEdit ? 1 : 0;
        QDir(scratch.filePath("state/cindral/recovery")).removeRecursively();
    }
    std::printf("crash states: %d, ended with the old text: %d, with the new text: %d, "
                "neither: %d\n",
                trials, crashes.old, crashes.newText, crashes.wrong);
    std::printf("crash states with one byte changed by someone else: %d, left as they were "
                "with the new text kept: %d\n",
                edits, editsLeft);
    return crashes.wrong == 0 && editsLeft == edits ? 0 : 2;
}
