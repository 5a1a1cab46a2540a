#include "shell/BalloonQueue.h"

#include "text/Decoration.h"
#include "text/IrcCodes.h"
#include "text/TextClass.h"

#include <chrono>

namespace {

bool IsContinuationByte(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Number of UTF-8 characters (continuation bytes are not counted).
int CharacterCount(const std::string &text)
{
    int count = 0;
    for (unsigned char c : text)
        count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

// Byte length of the first n characters.
size_t PrefixBytes(const std::string &text, int n)
{
    size_t i = 0;
    int seen = 0;
    while (i < text.size()) {
        if (!IsContinuationByte(static_cast<unsigned char>(text[i]))) {
            if (seen == n)
                break;
            ++seen;
        }
        ++i;
    }
    return i;
}

int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

BalloonQueue::BalloonQueue(Clock clock) : m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds)) {}

std::string BalloonQueue::Cut(const std::string &text)
{
    if (CharacterCount(text) < kMaxLength)
        return text;
    return text.substr(0, PrefixBytes(text, kCutLength)) + "...";
}

std::optional<Balloon> BalloonQueue::Make(const std::string &title, const std::string &text, int textClass, int sound)
{
    if (textClass == 0)
        return std::nullopt;
    // Only a line the program wrote as HTML holds markup; any other text is
    // shown as it was sent, "<3" and "a < b" included.
    const bool html = textClass == static_cast<int>(TextClass::Html);
    Balloon balloon;
    balloon.title = Cut(StripCodes(title));
    balloon.text = Cut(html ? DecodeEntities(StripTags(text)) : StripCodes(text));
    balloon.sound = sound;
    return balloon;
}

bool BalloonQueue::Add(const std::string &title, const std::string &text, int textClass, int sound)
{
    std::optional<Balloon> balloon = Make(title, text, textClass, sound);
    if (!balloon)
        return false;
    Push(std::move(*balloon));
    return true;
}

void BalloonQueue::Push(Balloon balloon)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_queue.push_back(std::move(balloon));
}

std::optional<Balloon> BalloonQueue::Next()
{
    const int64_t now = Now();
    std::lock_guard<std::mutex> guard(m_lock);
    if (now < m_readyAt || m_queue.empty())
        return std::nullopt;
    Balloon head = std::move(m_queue.front());
    m_queue.pop_front();
    m_readyAt = now + int64_t(kMsPerCharacter) * CharacterCount(head.text);
    return head;
}

void BalloonQueue::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_queue.clear();
}

size_t BalloonQueue::Size() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_queue.size();
}

int64_t BalloonQueue::PauseLeft() const
{
    const int64_t now = Now();
    std::lock_guard<std::mutex> guard(m_lock);
    return m_readyAt > now ? m_readyAt - now : 0;
}

int64_t BalloonQueue::Now() const
{
    return m_clock();
}
