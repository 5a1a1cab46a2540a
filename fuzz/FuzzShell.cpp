#include "FuzzShell.h"

#include <algorithm>

#include "FuzzView.h"

FuzzShell::FuzzShell() = default;
FuzzShell::~FuzzShell() = default;

ConversationView *FuzzShell::CreateView(Conversation &conversation)
{
    m_views.push_back(std::make_unique<FuzzView>(conversation));
    return m_views.back().get();
}

void FuzzShell::Collect()
{
    m_views.erase(std::remove_if(m_views.begin(), m_views.end(),
                                 [](const std::unique_ptr<FuzzView> &view) { return view->IsClosed(); }),
                  m_views.end());
}
