// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/Loadtext.h"

#include "support/FailureOf.h"
#include "support/ScratchFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using cindral::LineEnds;
using cindral::loadtext;

namespace {

constexpr int fileError = numbered(cindral::FailureNumber::FileError);

// The loaded text of a file read in pieces of `pieceSize` bytes, all pieces joined.
QByteArray loaded(const QString& path, LineEnds lineEnds, qsizetype pieceSize)
{
    cindral::LoadedText text = loadtext(QFile::encodeName(path), lineEnds, {}, pieceSize);
    QByteArray whole;
    for (; !text.atEnd(); text.advance())
        whole.append(text.piece().data(), static_cast<qsizetype>(text.piece().size()));
    return whole;
}

// CR LF or a lone CR ends a line, and no line follows the last line end. Lone CRs at the start,
// side by side and at the very end are where a scan that moves bytes in place goes wrong; a CR
// that ends one piece and an LF that starts the next are one line end. The end of the joined
// text, read backwards from the end of the file, is the same.
TEST(Loadtext, AppendsOrJoinsLinesWhateverThePieces)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const QByteArray binary("\xA9\0\xFF\r\n", 5);
    const struct
    {
        QByteArray file, appended, joined; // read with line ends appended, with lines joined
    } rows[] = {
        {.file = "A\r\nB", .appended = "A\r\nB\r\n", .joined = "AB"},
        {.file = "A\r\nB\r\n", .appended = "A\r\nB\r\n", .joined = "AB"},
        {.file = "", .appended = "", .joined = ""},
        {.file = "A\nB\n", .appended = "A\nB\n\r\n", .joined = "A\nB\n"}, // LF alone ends no line
        {.file = "A\r", .appended = "A\r\n", .joined = "A"},
        {.file = "\r\rA\r\rB", .appended = "\r\n\r\nA\r\n\r\nB\r\n", .joined = "AB"},
        {.file = "A\r\n\rB\r", .appended = "A\r\n\r\nB\r\n", .joined = "AB"},
        {.file = "\n\r\n\r\r\n\n", .appended = "\n\r\n\r\n\r\n\n\r\n", .joined = "\n\n"},
        {.file = binary, .appended = binary, .joined = binary.first(3)},
    };
    for (const auto& row : rows) {
        writeBytes(path, row.file);
        for (const qsizetype pieceSize : {1, 2, 3, 7, 1 << 20}) {
            SCOPED_TRACE(testing::Message() << row.file.toPercentEncoding().constData()
                                            << " in pieces of " << pieceSize);
            EXPECT_EQ(loaded(path, LineEnds::Append, pieceSize), row.appended);
            EXPECT_EQ(loaded(path, LineEnds::Join, pieceSize), row.joined);
        }
        const cindral::LoadedText text = loadtext(QFile::encodeName(path), LineEnds::Join, {});
        for (qsizetype count = 1; count <= 8; ++count)
            EXPECT_EQ(text.lastJoined(count), row.joined.right(count));
    }
}

TEST(Loadtext, FailsWith75BeforeTheFileCountsAsOpened)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath("pipe"); // would block the read forever
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString inUse = folder.filePath("in-use.txt"); // another Cindral works on it
    writeBytes(inUse, "text");
    writeBytes(folder.filePath("notes.txt"), "text");
    const cindral::OpenedFile held(QFile::encodeName(inUse));
    for (const QString& path : {folder.filePath("missing.txt"), folder.path(), fifo,
                                folder.filePath("missing/text.txt"), inUse}) {
        int opened = 0;
        EXPECT_EQ(failureOf([&] {
                      (void)loadtext(QFile::encodeName(path), LineEnds::Append, [&] { ++opened; });
                  }),
                  fileError)
            << path.toStdString();
        EXPECT_EQ(opened, 0);
    }
    // A reader is neither turned away by a Cindral at work nor turns one away itself.
    const auto read = cindral::OpenedFile::Purpose::Read;
    EXPECT_EQ(failureOf([&] { const cindral::OpenedFile reader(QFile::encodeName(inUse), read); }),
              0);
    const cindral::OpenedFile reader(QFile::encodeName(folder.filePath("notes.txt")), read);
    EXPECT_EQ(failureOf([&] { const cindral::OpenedFile writer(reader.foundPath()); }), 0);
}

} // namespace
