#include "ScratchFiles.h"
#include "cipher/Failure.h"
#include "operations/TextFile.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

using cindral::Failure;
using cindral::FailureNumber;
using cindral::LineEnds;
using cindral::loadtext;

namespace {

// The line rule written the plain way, one byte at a time.
QByteArray byReference(const QByteArray& file, LineEnds lineEnds)
{
    const QByteArray lineEnd = lineEnds == LineEnds::Append ? "\r\n" : "";
    QByteArray text;
    text.reserve(2 * file.size());
    bool lineOpen = false;
    for (qsizetype i = 0; i < file.size(); ++i) {
        const char c = file.at(i);
        lineOpen = c != '\r';
        if (lineOpen) {
            text.append(c);
            continue;
        }
        text.append(lineEnd);
        if (i + 1 < file.size() && file.at(i + 1) == '\n')
            ++i;
    }
    if (lineOpen)
        text.append(lineEnd);
    return text;
}

FailureNumber failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.number();
    }
    ADD_FAILURE() << "no failure";
    return FailureNumber::Overflow;
}

struct LineCase
{
    std::string name;
    QByteArray file;
    QByteArray appended;
    QByteArray joined;
};

void PrintTo(const LineCase& row, std::ostream* os)
{
    *os << row.name;
}

class LoadtextLineRule : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LoadtextLineRule, AppendsOrJoinsLines)
{
    const LineCase& row = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    writeBytes(path, row.file);

    EXPECT_EQ(loadtext(path, LineEnds::Append), row.appended);
    EXPECT_EQ(loadtext(path, LineEnds::Join), row.joined);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadtextLineRule,
    ::testing::Values(LineCase{"CrLfBetween", "A\r\nB", "A\r\nB\r\n", "AB"},
                      LineCase{"CrLfAfterLast", "A\r\nB\r\n", "A\r\nB\r\n", "AB"},
                      LineCase{"EmptyFile", "", "", ""},
                      LineCase{"LfOnlyIsOneLine", "A\nB\n", "A\nB\n\r\n", "A\nB\n"},
                      LineCase{"LoneCr", "A\rB", "A\r\nB\r\n", "AB"},
                      LineCase{"EmptyLineKept", "A\r\n\r\nB", "A\r\n\r\nB\r\n", "AB"},
                      LineCase{"LoneCrLast", "A\r", "A\r\n", "A"},
                      LineCase{"LoneCrsOnly", "\r\r", "\r\n\r\n", ""},
                      LineCase{"LfThenCr", "\n\r", "\n\r\n", "\n"},
                      LineCase{"EveryByteIsACode", QByteArray("\xA9\0\xFF\r\n", 5),
                               QByteArray("\xA9\0\xFF\r\n", 5), QByteArray("\xA9\0\xFF", 3)}),
    [](const auto& info) { return info.param.name; });

// Every file of up to seven bytes made of a letter, CR and LF, against the plain rule.
TEST(Loadtext, MatchesTheLineRuleForEveryShortFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const char alphabet[] = {'A', '\r', '\n'};
    std::vector<QByteArray> files{QByteArray()};
    for (std::size_t begin = 0; begin < files.size(); ++begin) {
        if (files[begin].size() < 7)
            for (const char c : alphabet)
                files.push_back(files[begin] + c);
    }
    for (const QByteArray& file : files) {
        writeBytes(path, file);
        SCOPED_TRACE(file.toPercentEncoding().toStdString());
        ASSERT_EQ(loadtext(path, LineEnds::Append), byReference(file, LineEnds::Append));
        ASSERT_EQ(loadtext(path, LineEnds::Join), byReference(file, LineEnds::Join));
    }
}

// The callback runs before the first read: what it adds to the file is read, though the buffer
// was sized before it, so the read must grow past the size it expected.
TEST(Loadtext, ReadsAfterTheOpenedCallbackAndGrowsWithTheFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    std::mt19937 random(7);
    const char alphabet[] = {'A', '\r', '\n', '\xA9'};
    QByteArray added;
    for (int i = 0; i < 1536 * 1024 + 11; ++i)
        added.append(alphabet[random() % 4]);

    for (const LineEnds lineEnds : {LineEnds::Append, LineEnds::Join}) {
        writeBytes(path, "first\r");
        int calls = 0;
        const QByteArray text = loadtext(path, lineEnds, [&] {
            ++calls;
            appendBytes(path, added);
        });
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(text == byReference("first\r" + added, lineEnds));
    }
}

TEST(Loadtext, FailsWith75BeforeAnythingIsRead)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString unopenable[] = {folder.filePath("missing.txt"), folder.path(), fifo,
                                  folder.filePath("missing/text.txt"), QString()};
    for (const QString& path : unopenable) {
        SCOPED_TRACE(path.toStdString());
        int calls = 0;
        EXPECT_EQ(failureOf([&] { (void)loadtext(path, LineEnds::Append, [&] { ++calls; }); }),
                  FailureNumber::FileError);
        EXPECT_EQ(calls, 0);
    }
}

} // namespace
