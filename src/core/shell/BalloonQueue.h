#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// A tray balloon ready to be shown.
struct Balloon
{
    std::string title;
    std::string text;
    int sound = 0; // "Beep Baloon": 0 none, 16 hand, 32 question, 48 exclamation, 64 asterisk
};

// The balloons waiting to be shown while the main window is hidden, and their
// pacing: a balloon keeps the tray for 0.2 s per character of its text before
// the next one may show. Every access to the queue holds one lock, so a
// notification worker may take balloons while the interface thread adds them.
// The clock is injectable (milliseconds, monotonic) so the pacing can be
// driven without waiting.
class BalloonQueue
{
public:
    using Clock = std::function<int64_t()>;

    static constexpr int kMaxLength = 63; // texts this long or longer are cut
    static constexpr int kCutLength = 60; // ... to this many characters + "..."
    static constexpr int kMsPerCharacter = 200;

    explicit BalloonQueue(Clock clock = {});

    // Builds a balloon from a printed line: nothing for informational lines
    // (class 0); IRC codes removed, the text otherwise as it was sent (a line
    // of class Html loses its tags and shows its entities decoded); title
    // and text cut.
    static std::optional<Balloon> Make(const std::string &title, const std::string &text, int textClass, int sound);
    // Cuts a text of 63 characters or more to 60 characters and "...".
    // Characters are UTF-8 code points; a cut never splits one.
    static std::string Cut(const std::string &text);

    // ShowBalloon: queues a balloon for the line; false when none is made.
    bool Add(const std::string &title, const std::string &text, int textClass, int sound);
    void Push(Balloon balloon);

    // The next balloon to show now, if its turn has come; starts its pause.
    std::optional<Balloon> Next();

    // Empties the queue (the user brought the window back).
    void Clear();
    size_t Size() const;

    // Milliseconds until the next balloon may show (0 when it may show now).
    int64_t PauseLeft() const;

private:
    int64_t Now() const;

    mutable std::mutex m_lock;
    std::deque<Balloon> m_queue;
    Clock m_clock;
    int64_t m_readyAt = 0;
};
