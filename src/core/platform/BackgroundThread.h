#pragma once

// Lowers the priority of the calling thread as far as background work goes
// (a nice value of its own on Linux, where Qt's thread priorities do nothing
// for ordinary threads): it gets the processor when the user interface and
// the connections leave it free. Returns whether the system took it.
bool MakeThisThreadBackground();
