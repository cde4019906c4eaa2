// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingWindow.h"
#include "base/Failure.h"
#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/OperationState.h"
#include "support/ExampleTexts.h"
#include "support/ScratchFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using cindral::Outcome;

namespace {

using namespace example;

// The window's calls, each followed by "|".
const QString busy = "busy|show|";
const QString restore = "normal|hide|";
const QString refusedPassword = "focus|select|";
const QString gettingData = "stage:Getting Data from the File...|";
const QString programError = "box:16:Program Error:An internal error has occured in the program|";
const QString encrypted = "box:64:Encrypted:The selected File has been Encrypted and Saved|";
const QString decrypted = "box:64:Decripted:The selected File has been Decrypted and Saved|";

enum class Setup
{
    Writable,
    ReadOnly,
    Missing,
    EmptyFileBox,
    BlankFileBox, // tested only for being empty: the chosen file is still used
    OutOfMemory,  // raised when the chosen file name is asked for
    Unexpected,   // anything else raised there
    KeptCopy,     // a failure there that keeps a new text for the user
};

// One run of an operation on a real file in a fresh folder, and what it should do.
struct Row
{
    const char* name;
    QByteArray password;
    QByteArray before;
    QString calls;
    Outcome outcome;
    Setup setup = Setup::Writable;
    std::optional<QByteArray> after = std::nullopt; // none: the file stays exactly as it was
};

// What a run did: how it ended, every call it made of the window, and the file afterwards.
struct Run
{
    Outcome outcome;
    std::string calls;
    QByteArray file;

    friend bool operator==(const Run&, const Run&) = default;
    friend void PrintTo(const Run& run, std::ostream* out)
    {
        *out << "outcome " << static_cast<int>(run.outcome) << ", file "
             << run.file.toPercentEncoding().constData() << ", calls:\n"
             << run.calls;
    }
};

Run expectedOf(const Row& row)
{
    const QByteArray unchanged = row.setup == Setup::Missing ? "<unreadable>" : row.before;
    return {row.outcome, row.calls.toStdString(), row.after.value_or(unchanged)};
}

using Operation = Outcome (*)(cindral::WindowServices&, cindral::OperationState&, qsizetype);

Run run(const Row& row, Operation operation, cindral::OperationState& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("notes.txt");
    if (row.setup != Setup::Missing)
        writeBytes(path, row.before);
    if (row.setup == Setup::ReadOnly)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    RecordingWindow window(path, row.password);
    if (row.setup == Setup::EmptyFileBox || row.setup == Setup::BlankFileBox)
        window.fileBox = row.setup == Setup::EmptyFileBox ? QString() : QStringLiteral("   ");
    if (row.setup == Setup::OutOfMemory)
        window.chosenFileFailure = std::make_exception_ptr(std::bad_alloc());
    if (row.setup == Setup::Unexpected)
        window.chosenFileFailure = std::make_exception_ptr(std::logic_error("unexpected"));
    if (row.setup == Setup::KeptCopy)
        window.chosenFileFailure = std::make_exception_ptr(
            cindral::Failure(cindral::FailureNumber::FileError, "kept in K", "K"));
    const Outcome outcome = operation(window, state, cindral::defaultPieceSize);
    return {outcome, (window.calls.join('|') + '|').toStdString(), readBytes(path)};
}

TEST(EncryptOperation, CallsTheWindowAndLeavesTheFile)
{
    const QString noPassword = "box:48:No Password:Enter a Password|";
    const QString noFile = "box:48:Error:Select a File to Encrypt/Decrypt|";
    const QString fileError =
        "box:16:File Error:The file does not exist or access to the file is denied.|";
    const QString illegal = "box:16:Encryption Error:The file to be Encrypted has some illegal "
                            "Characters which you cannot Encrypt|";
    const QString loaded = busy + gettingData + "stage:Encrypting the File...|" + restore;
    const Row rows[] = {
        {"Success", password, plain, loaded + encrypted, Outcome::Succeeded, Setup::Writable,
         image},
        {"BlankFileBox", password, plain, loaded + encrypted, Outcome::Succeeded,
         Setup::BlankFileBox, image},
        {"EmptyFile", password, "", loaded + encrypted, Outcome::Succeeded, Setup::Writable,
         imageTimes(0)},
        {"NoPasswordBeforeNoFile", "", plain, busy + restore + noPassword + "focus|",
         Outcome::Refused, Setup::EmptyFileBox},
        {"NoFileBeforeShortPassword", "abc", plain, busy + restore + noFile, Outcome::Refused,
         Setup::EmptyFileBox},
        {"FourCharacterPassword", "abcd", plain,
         busy + restore +
             "box:48:Password Error:The password should be of atleast 5  and maximum 9 "
             "Alphabets/Numbers or Combination of them|" +
             refusedPassword,
         Outcome::Refused},
        {"AlreadyEncrypted", password, "\xA9plain",
         busy + gettingData +
             "box:48:Encryption Error:File is Already Encrypted, you cannot Encrypt again!|" +
             restore,
         Outcome::Refused},
        {"CodeBeyondTheShift", password, "ok\x98\r\n", loaded + illegal, Outcome::Failed},
        {"CodeThatWouldBecomeACarriageReturn", shift8Password, refusedUnderShift8, loaded + illegal,
         Outcome::Failed},
        {"MissingFile", password, "", busy + restore + fileError, Outcome::Failed, Setup::Missing},
        {"ReadOnlyFile", password, plain, loaded + fileError, Outcome::Failed, Setup::ReadOnly},
        // The text is encrypted to its end before the write fails: its own failure comes first.
        {"ReadOnlyFileWithACodeBeyondTheShift", password, "ok\x98\r\n", loaded + illegal,
         Outcome::Failed, Setup::ReadOnly},
        {"OutOfMemory", password, plain, busy + restore + programError, Outcome::Failed,
         Setup::OutOfMemory},
        {"AnyOtherException", password, plain, busy + restore + programError, Outcome::Failed,
         Setup::Unexpected},
        {"NewTextKept", password, plain, busy + restore + fileError + "kept:: kept in K|",
         Outcome::Failed, Setup::KeptCopy},
    };
    cindral::OperationState state; // one record serves every run, as in the main window
    for (const Row& row : rows)
        EXPECT_EQ(run(row, &cindral::runEncrypt, state), expectedOf(row)) << row.name;
}

// A wrong password is followed at once by the right one. The order of the validations is the
// frame's, which both operations share: the Encrypt rows show it.
TEST(DecryptOperation, CallsTheWindowAndLeavesTheFile)
{
    const QString fileError = "box:16:File Error:The file does not exist|";
    const QString checking = busy + "stage:Checking for Password...|";
    const QString loaded = checking + gettingData + "stage:Decrypting the File...|" + restore;
    const Row rows[] = {
        {"WrongPassword", "zzzzz", image,
         checking + gettingData + "box:16:Wrong Password,Access Denied:Wrong Password|" + restore +
             refusedPassword,
         Outcome::Refused},
        {"Success", password, image, loaded + decrypted, Outcome::Succeeded, Setup::Writable,
         plain},
        {"EmptyBody", password, imageTimes(0), loaded + decrypted, Outcome::Succeeded,
         Setup::Writable, ""},
        {"FourCharacterPassword", "abcd", image,
         checking + restore +
             "box:48:Password Error:The password should be of atleast 5 Characters/Numbers or "
             "Combination of them|" +
             refusedPassword,
         Outcome::Refused},
        {"EmptyFileNotEncrypted", password, "",
         checking + gettingData +
             "box:48:Encryption Error:File is Not Encrypted, you cannot Decrypt it!|" + restore,
         Outcome::Refused},
        {"MissingFile", password, "", checking + restore + fileError, Outcome::Failed,
         Setup::Missing},
        {"ReadOnlyFile", password, image, loaded + fileError, Outcome::Failed, Setup::ReadOnly},
        // The password check joins the file's end backwards, the body is joined forwards: both
        // must drop the CR LF and the lone CR alike to find the same trailer.
        {"LineEndsInTheTrailer", password, "\xA9\xB0\xD1ur9\r\n\r9", loaded + decrypted,
         Outcome::Succeeded, Setup::Writable, plain},
        // Passes the check, yet holds a code below the shift.
        {"CodeBelowTheShift", password, "\xA9\x01ur99", loaded + programError, Outcome::Failed},
        {"MarkerWithoutTrailer", password, "\xA9plain",
         checking + gettingData + restore + programError, Outcome::Failed},
    };
    cindral::OperationState state; // a refusal must not carry over to the next run
    for (const Row& row : rows)
        EXPECT_EQ(run(row, &cindral::runDecrypt, state), expectedOf(row)) << row.name;
}

// Runs an operation on the file at `path` in pieces of `pieceSize` bytes; its last call and "|".
QString lastBox(Operation operation, const QString& path, const QByteArray& password,
                qsizetype pieceSize)
{
    RecordingWindow window(path, password);
    cindral::OperationState state;
    (void)operation(window, state, pieceSize);
    return window.calls.isEmpty() ? QString() : window.calls.last() + '|';
}

// Texts with CR, LF and CR LF at every position, an empty last line and an empty file. The
// passwords take turns; their shifts (35, 41, 47) turn CR or LF into digits, 40,000 in a row for
// the second text, before trailers of one, two and three digits (fingerprints 6, 62, 208).
TEST(Operations, PiecesOfAnySizeGiveTheSameFiles)
{
    std::vector<QByteArray> texts{
        "", QByteArray("\r\n").repeated(20000), "\r\n", "\r\r", "\n\n", "x\r\n\r\n"};
    for (const QByteArray lineEnd : {"\r", "\n", "\r\n"}) {
        for (qsizetype at = 0; at <= 6; ++at)
            texts.push_back(QByteArray("abcdef").insert(at, lineEnd));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath("text.txt");
    const QByteArray passwords[] = {"\x01\x01\x1E\x01\x01", "a0$ a", "\xFA\xFA*\xFA\xFA"};
    for (std::size_t turn = 0; turn < texts.size(); ++turn) {
        const QByteArray& text = texts[turn];
        const QByteArray& password = passwords[turn % std::size(passwords)];
        writeBytes(path, text);
        ASSERT_EQ(lastBox(&cindral::runEncrypt, path, password, 1 << 20), encrypted);
        const QByteArray wholeImage = readBytes(path);
        ASSERT_EQ(lastBox(&cindral::runDecrypt, path, password, 1 << 20), decrypted);
        const QByteArray wholeText = readBytes(path);
        for (const qsizetype pieceSize : {1, 2, 3, 7}) {
            SCOPED_TRACE(testing::Message()
                         << text.toPercentEncoding().constData() << " in " << pieceSize
                         << "s under " << password.toHex().constData());
            writeBytes(path, text);
            EXPECT_EQ(lastBox(&cindral::runEncrypt, path, password, pieceSize), encrypted);
            EXPECT_EQ(readBytes(path), wholeImage);
            EXPECT_EQ(lastBox(&cindral::runDecrypt, path, password, pieceSize), decrypted);
            EXPECT_EQ(readBytes(path), wholeText);
        }
    }
}

} // namespace
