#include "operations/OperationState.h"

namespace cindral {

void OperationState::cleanval()
{
    // clear() rather than assigning empty texts: it hands the memory of a large file back.
    textarg.clear();
    result.clear();
    filetext.clear();
    filename.clear();
    verdict = cipher::Verdict::Match;
    filenum = 0;
    digitcount = 0;
}

} // namespace cindral
