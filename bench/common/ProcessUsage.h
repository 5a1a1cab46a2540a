#pragma once

// What the benchmark process has used so far.
namespace ProcessUsage {

// User and system processor time.
double CpuSeconds();
// The peak resident memory (VmHWM) in megabytes.
double PeakMegabytes();
// The resident memory now (VmRSS) and its anonymous part (RssAnon: heap and
// other memory not backed by a file), in megabytes; 0 when unknown.
double ResidentMegabytes();
double AnonymousMegabytes();

} // namespace ProcessUsage
