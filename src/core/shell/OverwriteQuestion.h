#pragma once

#include <string>

class Shell;

// Whether a file may be written at path: true when there is no file there
// yet or the user answers Yes to the question about the one that is. The
// shell's save dialog leaves this question to its callers.
bool MayOverwrite(Shell &shell, const std::string &path);
