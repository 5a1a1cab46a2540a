#pragma once

#include "platform/AsyncSocket.h"

#include <QTcpSocket>

#include <functional>
#include <string>
#include <vector>

// An AsyncSocket that records its notifications and, by default, reads
// what arrives in chunks of a chosen size.
class RecordingSocket : public AsyncSocket
{
public:
    enum Kind { Connected, Received, Sent, Closed, Accepted };
    struct Event
    {
        Kind kind;
        int error;
    };

    RecordingSocket() = default;
    explicit RecordingSocket(QTcpSocket *accepted) : AsyncSocket(accepted) {}

    int Count(Kind kind) const
    {
        int count = 0;
        for (const Event &event : events)
            count += event.kind == kind ? 1 : 0;
        return count;
    }
    int ErrorOf(Kind kind) const
    {
        for (const Event &event : events)
            if (event.kind == kind)
                return event.error;
        return -12345;
    }

    std::vector<Event> events;
    std::string received;
    int readChunk = 4096; // bytes read per OnReceive; 0 reads nothing
    int receiveDepth = 0;
    int deepestReceive = 0;
    std::function<void()> onReceiveHook;
    std::function<void()> onSendHook;
    std::function<void()> onAcceptHook;

protected:
    void OnConnect(int error) override { events.push_back({Connected, error}); }
    void OnSend(int error) override
    {
        events.push_back({Sent, error});
        if (onSendHook)
            onSendHook();
    }
    void OnClose(int error) override { events.push_back({Closed, error}); }
    void OnAccept(int error) override
    {
        events.push_back({Accepted, error});
        if (onAcceptHook)
            onAcceptHook();
    }
    void OnReceive(int error) override
    {
        events.push_back({Received, error});
        ++receiveDepth;
        deepestReceive = std::max(deepestReceive, receiveDepth);
        if (readChunk > 0) {
            std::string chunk(static_cast<size_t>(readChunk), '\0');
            const int count = AsyncSocket::Receive(chunk.data(), readChunk);
            if (count > 0)
                received.append(chunk.data(), static_cast<size_t>(count));
        }
        if (onReceiveHook)
            onReceiveHook();
        --receiveDepth;
    }
};
