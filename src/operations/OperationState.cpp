#include "operations/OperationState.h"

namespace cindral {

void OperationState::cleanval()
{
    filename.clear();
    verdict = cipher::Verdict::Match;
    digitcount = 0;
}

} // namespace cindral
