#include "platform/BackgroundThread.h"

#include <QThread>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

#ifdef __linux__
// The nice value of a thread that only catches up with work nobody waits for.
constexpr int kBackgroundNice = 15;
#endif

} // namespace

bool MakeThisThreadBackground()
{
#ifdef __linux__
    // On Linux a nice value belongs to a thread, not to the whole process.
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), kBackgroundNice) == 0;
#else
    QThread::currentThread()->setPriority(QThread::LowestPriority);
    return true;
#endif
}
