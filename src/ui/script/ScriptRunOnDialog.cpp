#include "script/ScriptRunOnDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "conversation/Conversation.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

std::vector<ScriptRunOnDialog::Target> ScriptRunOnDialog::TargetsOf(const SessionTable &sessions)
{
    std::vector<Target> targets;
    for (Session *session : sessions.Sessions()) {
        const std::string &network = session->HumanName();
        Conversation *status = session->ServerWindow();
        if (status)
            targets.push_back({session->Key(), status->Name(), false, network});
        for (Conversation *window : session->Windows()) {
            if (window != status)
                targets.push_back(
                    {session->Key(), window->Name(), window->IsChannel(), network + " - " + window->Name()});
        }
    }
    return targets;
}

ScriptRunOnDialog::ScriptRunOnDialog(const std::vector<Target> &targets, const Target &previous, QWidget *parent)
    : QDialog(parent), m_targets(targets), m_list(new QComboBox(this))
{
    setWindowTitle(FromUtf8(Strings::Get(Str::ScriptRunOnTitle)));
    for (const Target &target : m_targets)
        m_list->addItem(FromUtf8(target.label));
    for (size_t n = 0; n < m_targets.size(); ++n) {
        if (m_targets[n] == previous)
            m_list->setCurrentIndex(static_cast<int>(n));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(FromUtf8(Strings::Get(Str::ScriptRunOnLabel)), this);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

ScriptRunOnDialog::Target ScriptRunOnDialog::Chosen() const
{
    const int index = m_list->currentIndex();
    return index >= 0 && index < static_cast<int>(m_targets.size()) ? m_targets[static_cast<size_t>(index)] : Target();
}
