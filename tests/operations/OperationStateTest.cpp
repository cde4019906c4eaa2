#include "operations/OperationState.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using cindral::cipher::FileStatus;
using cindral::cipher::Verdict;

// A refused decryption leaves a verdict and a digit count behind; the next operation must not
// see them, while the values every operation assigns before reading stay as they were.
TEST(OperationState, CleanvalResetsExactlyTheResetFields)
{
    cindral::OperationState state;
    state.textarg = state.result = state.filetext = "text";
    state.filename = "/tmp/file.txt";
    state.verdict = Verdict::WrongPassword;
    state.filenum = cindral::operationFileNumber;
    state.digitcount = 3;
    state.pwdarg = "password";
    state.pwdavg = 99;
    state.status = FileStatus::Encrypted;

    state.cleanval();

    EXPECT_TRUE(state.textarg.isEmpty() && state.result.isEmpty() && state.filetext.isEmpty() &&
                state.filename.isEmpty());
    EXPECT_EQ(std::tuple(state.verdict, state.filenum, state.digitcount),
              std::tuple(Verdict::Match, 0, 0));
    EXPECT_EQ(std::tuple(state.pwdarg, state.pwdavg, state.status),
              std::tuple(QByteArray("password"), 99, FileStatus::Encrypted));
}

} // namespace
