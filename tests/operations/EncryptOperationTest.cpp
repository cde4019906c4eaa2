#include "operations/EncryptOperation.h"

#include "OperationCase.h"

#include <gtest/gtest.h>
#include <new>

using cindral::Outcome;

namespace {

// "abcde": shift 99 + 5 = 104, fingerprint 495 / 5 = 99.
const QByteArray password("abcde");
const QByteArray hiImage("\xA9\xB0\xD1\x75\x72"
                         "99");

const QStringList begin{"busy", "show"};
const QStringList restore{"normal", "hide"};
const QString gettingData("stage:Getting Data from the File...");
const QString encrypting("stage:Encrypting the File...");
const QString noPassword("box:48:No Password:Enter a Password");
const QString noFile("box:48:Error:Select a File to Encrypt/Decrypt");
const QString shortPassword("box:48:Password Error:The password should be of atleast 5  and "
                            "maximum 9 Alphabets/Numbers or Combination of them");
const QString alreadyEncrypted(
    "box:48:Encryption Error:File is Already Encrypted, you cannot Encrypt again!");
const QString encrypted("box:64:Encrypted:The selected File has been Encrypted and Saved");
const QString illegal("box:16:Encryption Error:The file to be Encrypted has some illegal "
                      "Characters which you cannot Encrypt");
const QString
    fileError("box:16:File Error:The file does not exist or access to the file is denied.");
const QString programError("box:16:Program Error:An internal error has occured in the program");

const QStringList succeeded = begin + QStringList{gettingData, encrypting} + restore + encrypted;
const QStringList failedAfterShift = begin + QStringList{gettingData, encrypting} + restore;
const QStringList failedBeforeOpen = begin + restore;

std::vector<OperationCase> encryptCases()
{
    return {
        {.name = "Success",
         .password = password,
         .before = "Hi\r\n",
         .calls = succeeded,
         .after = hiImage},
        {.name = "LastLineWithoutLineEnd",
         .password = password,
         .before = "Hi",
         .calls = succeeded,
         .after = hiImage},
        {.name = "EmptyFileGetsMarkerAndTrailer",
         .password = password,
         .before = "",
         .calls = succeeded,
         .after = QByteArray("\xA9"
                             "99")},
        {.name = "BlankFileBoxCountsAsFilled",
         .password = password,
         .before = "Hi\r\n",
         .calls = succeeded,
         .after = hiImage,
         .fileBox = FileBox::Blanks},
        {.name = "ChosenFileNotFileBoxText",
         .password = password,
         .before = "Hi\r\n",
         .calls = succeeded,
         .after = hiImage,
         .fileBox = FileBox::HandTyped},
        {.name = "EmptyPasswordBeforeEmptyFileBox",
         .password = "",
         .before = "Hi\r\n",
         .calls = begin + restore + QStringList{noPassword, "focus"},
         .outcome = Outcome::Refused,
         .fileBox = FileBox::Empty},
        {.name = "EmptyFileBoxBeforeShortPassword",
         .password = "abc",
         .before = "Hi\r\n",
         .calls = begin + restore + noFile,
         .outcome = Outcome::Refused,
         .fileBox = FileBox::Empty},
        {.name = "FourCharacterPassword",
         .password = "abcd",
         .before = "Hi\r\n",
         .calls = begin + restore + QStringList{shortPassword, "focus", "select"},
         .outcome = Outcome::Refused},
        {.name = "AlreadyEncrypted",
         .password = password,
         .before = "\xA9plain",
         .calls = begin + QStringList{gettingData, alreadyEncrypted} + restore,
         .outcome = Outcome::Refused},
        {.name = "CodeBeyondShiftLimit",
         .password = password,
         .before = "ok\x98\r\n",
         .calls = failedAfterShift + illegal,
         .outcome = Outcome::Failed},
        {.name = "MissingFile",
         .password = password,
         .calls = failedBeforeOpen + fileError,
         .outcome = Outcome::Failed,
         .setup = FileSetup::Missing},
        {.name = "ReadOnlyFile",
         .password = password,
         .before = "Hi\r\n",
         .calls = failedAfterShift + fileError,
         .outcome = Outcome::Failed,
         .setup = FileSetup::ReadOnly},
        {.name = "PasswordTooLongToFingerprint",
         .password = QByteArray(40000, 'a'),
         .before = "Hi\r\n",
         .calls = failedAfterShift + programError,
         .outcome = Outcome::Failed},
        {.name = "OutOfMemory",
         .password = password,
         .before = "Hi\r\n",
         .calls = failedBeforeOpen + programError,
         .outcome = Outcome::Failed,
         .thrown = std::make_exception_ptr(std::bad_alloc())},
        {.name = "AnyOtherException",
         .password = password,
         .before = "Hi\r\n",
         .calls = failedBeforeOpen + programError,
         .outcome = Outcome::Failed,
         .thrown = std::make_exception_ptr(std::logic_error("unexpected"))},
    };
}

class EncryptOperation : public testing::TestWithParam<OperationCase>
{
};

TEST_P(EncryptOperation, CallsWindowAndLeavesFile)
{
    expectCase(GetParam(), &cindral::runEncrypt);
}

INSTANTIATE_TEST_SUITE_P(Paths, EncryptOperation, testing::ValuesIn(encryptCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
