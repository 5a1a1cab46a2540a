// The application and the desktop's services: alerts of the core as
// notifications of the desktop's notification service (tray balloons
// without one) and the window a clicked notification brings forward; the
// passwords in the desktop's secret store.
#include "app/BrimoApp.h"

#include "app/MainWindow.h"
#include "config/StoredSecrets.h"
#include "conversation/Conversation.h"
#include "conversation/UserAlert.h"
#include "desktop/DesktopAlerts.h"
#include "desktop/KeychainStore.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "text/TextClass.h"
#include "windows/ConversationWindow.h"

#include <QDBusConnection>

void BrimoApp::SetDesktopBus(const QDBusConnection &bus)
{
    m_desktopBus = std::make_unique<QDBusConnection>(bus);
}

void BrimoApp::SetSecretStore(SecretStore *store)
{
    m_secretStore = store;
}

void BrimoApp::StartStoredSecrets(std::function<void()> ready)
{
    if (!m_secretStore) {
        m_ownSecretStore = std::make_unique<KeychainStore>();
        m_secretStore = m_ownSecretStore.get();
    }
    m_secrets = std::make_unique<StoredSecrets>(m_secretStore);
    m_secrets->Start(std::move(ready), [this](const StoredSecrets::Report &report) { TellSecrets(report); });
}

void BrimoApp::TellSecrets(const StoredSecrets::Report &report)
{
    for (const std::string &key : report.unreadable)
        m_sessions->ServerWindowNotice(Strings::Format(Str::SecretUnreadable, key.c_str()));
    if (report.moved > 0)
        m_sessions->ServerWindowNotice(Strings::Format(Str::SecretsMoved, report.moved));
    if (!report.storeAnswered && !m_toldSecretsInFile) {
        m_toldSecretsInFile = true;
        m_sessions->ServerWindowNotice(
            Strings::Format(Str::SecretsInFile, report.problem.empty() ? "-" : report.problem.c_str()));
    }
}

void BrimoApp::StartDesktopAlerts()
{
    if (m_alerts)
        return;
    m_alerts = std::make_unique<DesktopAlerts>(m_desktopBus ? *m_desktopBus : QDBusConnection::sessionBus());
    m_alerts->SetBringForward([this](const UserAlert &alert) { BringForward(alert); });
    m_alerts->SetFallback([this](const UserAlert &alert) { BalloonForAlert(alert); });
}

void BrimoApp::AlertUser(const UserAlert &alert)
{
    if (m_settings.m_desktopNotifications && m_alerts && !m_exited)
        m_alerts->Present(alert);
}

void BrimoApp::BalloonForAlert(const UserAlert &alert)
{
    if (alert.kind != UserAlert::Kind::Offer && m_settings.m_showBalloon && !IsMainWindowVisible())
        return;
    m_balloons.Add(AlertBatcher::Summary(alert), alert.text, static_cast<int>(TextClass::Text),
                   m_settings.m_balloonSound);
}

void BrimoApp::BringForward(const UserAlert &alert)
{
    if (!m_mainFrame || m_exited)
        return;
    m_mainFrame->RestoreFromTray();
    if (alert.kind == UserAlert::Kind::Offer && m_questionDialog) {
        m_questionDialog->raise();
        m_questionDialog->activateWindow();
        return;
    }
    Session *session = FindSession(alert.sessionKey);
    Conversation *conversation = session ? session->FindWindow(alert.window) : nullptr;
    if (session && !conversation)
        conversation = session->ServerWindow();
    if (auto *window = conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr)
        window->Activate();
}
