#include "ChildTie.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>

using namespace orvanta::engine;
#endif

namespace orvanta::engine {
void tieChildToParent([[maybe_unused]] long parent)
{
#ifdef Q_OS_UNIX
    ::setpgid(0, 0);
#endif
#ifdef Q_OS_LINUX
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before the tie was made.
    if (::getppid() != parent)
        ::_exit(127);
#endif
}
} // namespace orvanta::engine
