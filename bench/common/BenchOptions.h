#pragma once

// The "--name value" options of a benchmark's command line.
class BenchOptions
{
public:
    BenchOptions(int argc, char **argv) : m_argc(argc), m_argv(argv) {}

    // The number after name, or fallback when the option is not given.
    long Number(const char *name, long fallback) const;
    // The text after name, or null.
    const char *Text(const char *name) const;

private:
    int m_argc;
    char **m_argv;
};

// The window benchmarks draw offscreen unless told another platform.
void UseOffscreenPlatformByDefault();
