#pragma once

#include <cstdint>

// What a file transfer reports while it runs to a shell that shows each
// transfer on its own (tests record it; the program's transfers window reads
// TransferList instead). Made by Shell::OpenFileProgress.
class FileProgress
{
public:
    virtual ~FileProgress() = default;
    // Bytes done so far out of the transfer's size.
    virtual void SetPosition(uint64_t done, uint64_t size) = 0;
    // The transfer has ended: the progress goes away (later, never from
    // inside its own handler) and never calls the connection again.
    virtual void Finish() = 0;
};
