#include "dcc/TransferList.h"

#include <algorithm>
#include <cmath>

#include "text/StrPrintf.h"

int TransferList::Add(Transfer::Direction direction, const std::string &sessionKey, const std::string &nick,
                      const std::string &path, uint64_t size, int64_t nowMs)
{
    Entry entry;
    entry.transfer.id = m_nextId++;
    entry.transfer.direction = direction;
    entry.transfer.sessionKey = sessionKey;
    entry.transfer.nick = nick;
    entry.transfer.path = path;
    entry.transfer.size = size;
    entry.transfer.startMs = nowMs;
    m_entries.push_back(std::move(entry));
    Changed();
    return m_entries.back().transfer.id;
}

void TransferList::Progress(int id, uint64_t done, int64_t nowMs)
{
    Entry *entry = FindEntry(id);
    if (!entry || entry->transfer.HasEnded())
        return;
    Transfer &transfer = entry->transfer;
    const bool starting = transfer.state == Transfer::State::Waiting && done > 0;
    transfer.done = done;
    if (transfer.state == Transfer::State::Waiting && !starting)
        return;
    if (starting) {
        // The time spent waiting for the peer is no part of the speed.
        transfer.state = Transfer::State::Running;
        entry->first = Sample{nowMs, done};
        entry->samples.clear();
    }
    std::deque<Sample> &samples = entry->samples;
    samples.push_back({nowMs, done});
    // One report at or before the start of the window stays, so that the
    // measured stretch is as long as the window once the transfer is.
    while (samples.size() > 2 && samples[1].ms <= nowMs - kSpeedWindowMs)
        samples.pop_front();
    if (starting)
        Changed();
}

void TransferList::SetSize(int id, uint64_t size)
{
    if (Entry *entry = FindEntry(id))
        entry->transfer.size = size;
}

void TransferList::End(int id, Transfer::State state, const std::string &reason, int64_t nowMs)
{
    Entry *entry = FindEntry(id);
    if (!entry || entry->transfer.HasEnded())
        return;
    entry->transfer.state = state;
    entry->transfer.reason = state == Transfer::State::Failed ? reason : std::string();
    entry->transfer.endMs = nowMs;
    Changed();
}

void TransferList::Remove(int id)
{
    const size_t before = m_entries.size();
    std::erase_if(m_entries, [id](const Entry &entry) { return entry.transfer.id == id; });
    if (m_entries.size() != before)
        Changed();
}

int TransferList::ClearFinished()
{
    const size_t removed = std::erase_if(m_entries, [](const Entry &entry) { return entry.transfer.HasEnded(); });
    if (removed > 0)
        Changed();
    return static_cast<int>(removed);
}

const Transfer *TransferList::Find(int id) const
{
    const Entry *entry = FindEntry(id);
    return entry ? &entry->transfer : nullptr;
}

bool TransferList::HasRunning() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const Entry &entry) { return !entry.transfer.HasEnded(); });
}

double TransferList::Speed(int id) const
{
    const Entry *entry = FindEntry(id);
    if (!entry)
        return 0;
    const Transfer &transfer = entry->transfer;
    Sample from, to;
    if (transfer.state == Transfer::State::Running && !entry->samples.empty()) {
        from = entry->samples.front();
        to = entry->samples.back();
    } else if (transfer.state == Transfer::State::Done && entry->first) {
        from = *entry->first;
        to = {transfer.endMs, transfer.done};
    } else {
        return 0;
    }
    if (to.ms <= from.ms || to.done < from.done)
        return 0;
    return static_cast<double>(to.done - from.done) * 1000.0 / static_cast<double>(to.ms - from.ms);
}

std::optional<int64_t> TransferList::SecondsLeft(int id) const
{
    const Transfer *transfer = Find(id);
    if (!transfer || transfer->state != Transfer::State::Running)
        return std::nullopt;
    const double speed = Speed(id);
    if (speed <= 0)
        return std::nullopt;
    const uint64_t left = transfer->size > transfer->done ? transfer->size - transfer->done : 0;
    return static_cast<int64_t>(std::ceil(static_cast<double>(left) / speed));
}

std::string TransferList::FormatDuration(int64_t seconds)
{
    seconds = std::max<int64_t>(seconds, 0);
    const long long hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds / 60 % 60);
    const int rest = static_cast<int>(seconds % 60);
    if (hours > 0)
        return StrPrintf("%lld:%02d:%02d", hours, minutes, rest);
    return StrPrintf("%d:%02d", minutes, rest);
}

TransferList::Entry *TransferList::FindEntry(int id)
{
    auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry &entry) { return entry.transfer.id == id; });
    return it == m_entries.end() ? nullptr : &*it;
}

const TransferList::Entry *TransferList::FindEntry(int id) const
{
    return const_cast<TransferList *>(this)->FindEntry(id);
}

void TransferList::Changed() const
{
    if (m_listener)
        m_listener();
}
