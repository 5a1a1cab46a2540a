#pragma once

#include <QStringList>

// Runs this executable again with these arguments as one measured child
// process, its output going where the parent's goes; its exit code.
int RunMeasuredChild(const QStringList &arguments);
