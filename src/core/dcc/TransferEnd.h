#pragma once

#include <cstdint>
#include <string>

// How a direct connection (a chat or one file transfer) stands: running,
// done, or failed with the reason the user reads. A transfer is done only
// when every byte of the file has arrived (receiving) or was acknowledged
// (sending); anything else that ends it is a failure with its reason.
struct TransferEnd
{
    enum class State { Running, Done, Failed };
    enum class Reason {
        None,              // running or done
        Refused,           // nobody took the connection at the peer's address
        TimedOut,          // the connect, or the offer's wait for the peer, timed out
        PeerClosed,        // the peer closed before the end (done / size say where)
        DiskFull,          // the received file cannot grow
        FolderNotWritable, // the received file cannot be created or opened for writing
        FileVanished,      // the file being sent disappeared or became shorter
        Cancelled,         // by the user
        OtherError,        // another failure of the connection or the file (errorCode says which)
    };

    State state = State::Running;
    Reason reason = Reason::None;
    uint64_t done = 0;  // bytes of the file transferred when it ended (with a resumed start)
    uint64_t size = 0;  // the file's size; 0 for a chat
    int errorCode = 0;  // the system's code behind OtherError

    bool IsRunning() const { return state == State::Running; }
    bool IsDone() const { return state == State::Done; }
    bool IsFailed() const { return state == State::Failed; }

    // The reason in words for the user ("druhá strana ukončila spojenie pri
    // 40 % (12 MB z 30 MB)"); empty unless failed.
    std::string ReasonText() const;

    // The reason behind a socket's error code (0: an orderly close by the peer).
    static Reason ReasonOfSocketError(int code);
    // The reason behind the system's error code of a received file that could
    // not be opened (opening) or written.
    static Reason ReasonOfFileError(int code, bool opening);
};
