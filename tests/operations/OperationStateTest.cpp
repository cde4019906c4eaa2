#include "operations/OperationState.h"

#include <gtest/gtest.h>

using cindral::OperationState;
using cindral::cipher::FileStatus;
using cindral::cipher::Verdict;

namespace {

// A refused decryption leaves a verdict and a digit count behind; the next operation must not
// see them, while the values every operation assigns before reading stay as they were.
TEST(OperationState, CleanvalResetsExactlyTheResetFields)
{
    OperationState state;
    state.textarg = "text";
    state.pwdarg = "password";
    state.result = "result";
    state.pwdavg = 99;
    state.verdict = Verdict::WrongPassword;
    state.status = FileStatus::Encrypted;
    state.filetext = "file text";
    state.filename = "/tmp/file.txt";
    state.filenum = cindral::operationFileNumber;
    state.digitcount = 3;

    state.cleanval();

    EXPECT_TRUE(state.textarg.isEmpty());
    EXPECT_TRUE(state.result.isEmpty());
    EXPECT_TRUE(state.filetext.isEmpty());
    EXPECT_TRUE(state.filename.isEmpty());
    EXPECT_EQ(state.verdict, Verdict::Match);
    EXPECT_EQ(state.filenum, 0);
    EXPECT_EQ(state.digitcount, 0);

    EXPECT_EQ(state.pwdarg, "password");
    EXPECT_EQ(state.pwdavg, 99);
    EXPECT_EQ(state.status, FileStatus::Encrypted);
}

} // namespace
