#include "FloodShell.h"

#include "FloodView.h"

FloodShell::FloodShell() = default;
FloodShell::~FloodShell() = default;

ConversationView *FloodShell::CreateView(Conversation &conversation)
{
    m_views.push_back(std::make_unique<FloodView>(conversation));
    return m_views.back().get();
}

FloodView *FloodShell::View(const std::string &name) const
{
    for (const auto &view : m_views) {
        if (view->Name() == name)
            return view.get();
    }
    return nullptr;
}
