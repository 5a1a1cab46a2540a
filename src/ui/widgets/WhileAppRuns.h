// One object of a type for the whole program, made on first use and destroyed with the application.
#pragma once

#include <QCoreApplication>

// For caches of pictures shared by every window: pixmaps must go while the
// application still exists, so the object goes with it, not at exit.
template <typename T>
T &WhileAppRuns()
{
    static T *object = nullptr;
    if (!object) {
        object = new T;
        qAddPostRoutine([] {
            delete object;
            object = nullptr;
        });
    }
    return *object;
}
