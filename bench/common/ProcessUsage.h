#pragma once

// What the benchmark process has used so far.
namespace ProcessUsage {

// User and system processor time.
double CpuSeconds();
// The peak resident memory (VmHWM) in megabytes.
double PeakMegabytes();

} // namespace ProcessUsage
