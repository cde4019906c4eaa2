#include "operations/FileSizeSignal.h"

#include <csignal>

namespace cindral {

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace cindral
