#include "operations/DecryptOperation.h"

#include "OperationCase.h"

#include <gtest/gtest.h>
#include <new>

using cindral::Outcome;

namespace {

// "abcde": shift 99 + 5 = 104, fingerprint 495 / 5 = 99. "zzzzz" has fingerprint 122.
const QByteArray password("abcde");
const QByteArray hiImage("\xA9\xB0\xD1\x75\x72"
                         "99");

const QStringList begin{"busy", "show", "stage:Checking for Password..."};
const QStringList restore{"normal", "hide"};
const QString gettingData("stage:Getting Data from the File...");
const QString decrypting("stage:Decrypting the File...");
const QString noPassword("box:48:No Password:Enter a Password");
const QString noFile("box:48:Error:Select a File to Encrypt/Decrypt");
const QString shortPassword("box:48:Password Error:The password should be of atleast 5 "
                            "Characters/Numbers or Combination of them");
const QString notEncrypted("box:48:Encryption Error:File is Not Encrypted, you cannot Decrypt it!");
const QString wrongPassword("box:16:Wrong Password,Access Denied:Wrong Password");
const QString decrypted("box:64:Decripted:The selected File has been Decrypted and Saved");
const QString fileError("box:16:File Error:The file does not exist");
const QString programError("box:16:Program Error:An internal error has occured in the program");

const QStringList succeeded = begin + QStringList{gettingData, decrypting} + restore + decrypted;
const QStringList refusedWrongPassword =
    begin + QStringList{gettingData, wrongPassword} + restore + QStringList{"focus", "select"};
const QStringList failedAfterShift = begin + QStringList{gettingData, decrypting} + restore;
const QStringList failedBeforeOpen = begin + restore;

std::vector<OperationCase> decryptCases()
{
    return {
        {.name = "Success",
         .password = password,
         .before = hiImage,
         .calls = succeeded,
         .after = QByteArray("Hi\r\n")},
        {.name = "MarkerAndTrailerOnly",
         .password = password,
         .before = QByteArray("\xA9"
                              "99"),
         .calls = succeeded,
         .after = QByteArray("")},
        {.name = "BlankFileBoxCountsAsFilled",
         .password = password,
         .before = hiImage,
         .calls = succeeded,
         .after = QByteArray("Hi\r\n"),
         .fileBox = FileBox::Blanks},
        {.name = "ChosenFileNotFileBoxText",
         .password = password,
         .before = hiImage,
         .calls = succeeded,
         .after = QByteArray("Hi\r\n"),
         .fileBox = FileBox::HandTyped},
        {.name = "EmptyPasswordBeforeEmptyFileBox",
         .password = "",
         .before = hiImage,
         .calls = begin + restore + QStringList{noPassword, "focus"},
         .outcome = Outcome::Refused,
         .fileBox = FileBox::Empty},
        {.name = "EmptyFileBoxBeforeShortPassword",
         .password = "abc",
         .before = hiImage,
         .calls = begin + restore + noFile,
         .outcome = Outcome::Refused,
         .fileBox = FileBox::Empty},
        {.name = "FourCharacterPassword",
         .password = "abcd",
         .before = hiImage,
         .calls = begin + restore + QStringList{shortPassword, "focus", "select"},
         .outcome = Outcome::Refused},
        {.name = "NotEncrypted",
         .password = password,
         .before = "Hi\r\n",
         .calls = begin + QStringList{gettingData, notEncrypted} + restore,
         .outcome = Outcome::Refused},
        {.name = "EmptyFileNotEncrypted",
         .password = password,
         .before = "",
         .calls = begin + QStringList{gettingData, notEncrypted} + restore,
         .outcome = Outcome::Refused},
        {.name = "WrongPassword",
         .password = "zzzzz",
         .before = hiImage,
         .calls = refusedWrongPassword,
         .outcome = Outcome::Refused},
        {.name = "MissingFile",
         .password = password,
         .calls = failedBeforeOpen + fileError,
         .outcome = Outcome::Failed,
         .setup = FileSetup::Missing},
        {.name = "ReadOnlyFile",
         .password = password,
         .before = hiImage,
         .calls = failedAfterShift + fileError,
         .outcome = Outcome::Failed,
         .setup = FileSetup::ReadOnly},
        // Passes the check (shifted CR LF before the trailer) yet holds a code below the shift.
        {.name = "CodeBelowShiftIsProgramError",
         .password = password,
         .before = QByteArray("\xA9\x01\x75\x72"
                              "99"),
         .calls = failedAfterShift + programError,
         .outcome = Outcome::Failed},
        {.name = "MarkerWithoutTrailer",
         .password = password,
         .before = "\xA9plain",
         .calls = begin + QStringList{gettingData} + restore + programError,
         .outcome = Outcome::Failed},
        {.name = "OutOfMemory",
         .password = password,
         .before = hiImage,
         .calls = failedBeforeOpen + programError,
         .outcome = Outcome::Failed,
         .thrown = std::make_exception_ptr(std::bad_alloc())},
    };
}

class DecryptOperation : public testing::TestWithParam<OperationCase>
{
};

TEST_P(DecryptOperation, CallsWindowAndLeavesFile)
{
    expectCase(GetParam(), &cindral::runDecrypt);
}

INSTANTIATE_TEST_SUITE_P(Paths, DecryptOperation, testing::ValuesIn(decryptCases()),
                         [](const auto& info) { return info.param.name; });

// One record serves both runs, as in the main window: the refusal must not carry over.
TEST(DecryptOperationSequence, WrongPasswordThenRightPasswordAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    writeBytes(path, hiImage);
    cindral::OperationState state;
    RecordingWindow window;
    window.fileBox = window.chosenFile = path;

    window.password = "zzzzz";
    EXPECT_EQ(cindral::runDecrypt(window, state), Outcome::Refused);
    EXPECT_EQ(lines(window.calls), lines(refusedWrongPassword));
    EXPECT_EQ(bytesOf(path), hiImage);

    window.calls.clear();
    window.password = password;
    EXPECT_EQ(cindral::runDecrypt(window, state), Outcome::Succeeded);
    EXPECT_EQ(lines(window.calls), lines(succeeded));
    EXPECT_EQ(bytesOf(path), QByteArray("Hi\r\n"));
}

} // namespace
