#include "ProcessUsage.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

namespace ProcessUsage {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

namespace {

// A "Key:   1234 kB" line of /proc/self/status in megabytes, or -1.
double StatusMegabytes(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::atof(line.c_str() + key.size()) / 1024.0;
    }
    return -1;
}

} // namespace

double ResidentMegabytes()
{
    return std::max(StatusMegabytes("VmRSS:"), 0.0);
}

double AnonymousMegabytes()
{
    return std::max(StatusMegabytes("RssAnon:"), 0.0);
}

double PeakMegabytes()
{
    const double peak = StatusMegabytes("VmHWM:");
    if (peak >= 0)
        return peak;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace ProcessUsage
