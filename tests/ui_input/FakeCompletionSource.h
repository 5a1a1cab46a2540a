#pragma once

#include "input/InputCompletion.h"

#include <string>
#include <vector>

// A window for completion tests: its type, name and members as listed.
class FakeCompletionSource : public CompletionSource
{
public:
    FakeCompletionSource(Conversation::WindowType type, std::string name, std::vector<std::string> nicks = {})
        : m_type(type), m_name(std::move(name)), m_nicks(std::move(nicks))
    {}
    Conversation::WindowType WindowType() const override { return m_type; }
    std::string WindowName() const override { return m_name; }
    int NickCount() const override { return static_cast<int>(m_nicks.size()); }
    std::string NickEntry(int index) const override { return m_nicks.at(static_cast<size_t>(index)); }

private:
    Conversation::WindowType m_type;
    std::string m_name;
    std::vector<std::string> m_nicks;
};
