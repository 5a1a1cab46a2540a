#include "app/BrimoApp.h"

#include "app/DebugLogWindow.h"
#include "app/HelpViewer.h"
#include "app/LinkInbox.h"
#include "app/MainWindow.h"
#include "app/NotificationLoop.h"
#include "app/QtTranslation.h"
#include "commands/CommandHelp.h"
#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "config/ServerPort.h"
#include "config/WelcomeChoice.h"
#include "conversation/ConversationView.h"
#include "conversation/UserAlert.h"
#include "dcc/DirectConnections.h"
#include "desktop/DesktopAlerts.h"
#include "desktop/KeychainStore.h"
#include "dialogs/BanListDialog.h"
#include "dialogs/PropertySheet.h"
#include "dialogs/QuestionDialog.h"
#include "dialogs/WelcomeDialog.h"
#include "history/ConversationLog.h"
#include "history/FindEverywhereWindow.h"
#include "history/FoundLineInView.h"
#include "history/HistoryIndex.h"
#include "history/LogDayView.h"
#include "input/SpellChecker.h"
#include "input/CommandPopup.h"
#include "platform/TerminationSignals.h"
#include "script/ScriptEditorWindow.h"
#include "script/ScriptEngine.h"
#include "session/IdentServer.h"
#include "session/IrcUrl.h"
#include "session/RequestAnswer.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include <cstdarg>
#include <cstdlib>

namespace {

BrimoApp *s_instance = nullptr;

// How soon a signalled end looks again whether the dialogs have closed.
constexpr int kEndRetryMs = 50;

// The Tcl library is looked for under its usual names, or where
// BRIMO_TCL_LIBRARY says (a Tcl of one's own; a wrong name shows how the
// program runs without scripts).
std::unique_ptr<ScriptEngine> MakeScriptEngine()
{
    const QByteArray library = qgetenv("BRIMO_TCL_LIBRARY");
    if (library.isEmpty())
        return std::make_unique<ScriptEngine>();
    return std::make_unique<ScriptEngine>(std::vector<std::string>{library.toStdString()});
}

} // namespace

BrimoApp::BrimoApp(QObject *parent)
    : QObject(parent)
    , m_scriptEngine(MakeScriptEngine())
    , m_sessions(std::make_unique<SessionTable>(this, m_commands))
    , m_log(std::make_unique<ConversationLog>(*m_sessions))
    , m_dcc(std::make_unique<DirectConnections>(*m_sessions))
{
    s_instance = this;
    m_sessions->SetRecorder(m_log.get());
    m_log->SetWrittenSink([this](const std::vector<std::string> &paths) {
        if (m_history)
            m_history->FilesWritten(paths);
    });
    m_log->SetRewrittenSink([this](const std::vector<std::string> &paths) {
        if (m_history)
            m_history->FilesRewritten(paths);
    });
    m_notifier = std::make_unique<NotificationLoop>(*this);
    m_identServer = std::make_unique<IdentServer>(113, std::string(),
                                                  [this](const std::string &text) { DebugLog("%s", text.c_str()); });
    m_identServer->SetNoticeSink([this](const std::string &text) { m_sessions->ServerWindowNotice(text); });
    m_questions.SetShowHandler([this](const Question &question) { ShowQuestion(question); });
    // The transfers show in their window, which the first one of a run opens.
    connect(&m_dcc->Feed(), &TransferFeed::Added, this, [this] {
        if (m_transfersShown || !m_mainFrame)
            return;
        m_transfersShown = true;
        m_mainFrame->OpenTransfers(false);
    });
}

BrimoApp::~BrimoApp()
{
    Exit();
    delete m_mainFrame.data();
    if (s_instance == this) {
        s_instance = nullptr;
        SetConfigReporter(nullptr);
    }
}

BrimoApp *BrimoApp::Instance()
{
    return s_instance;
}

int BrimoApp::Start(const QStringList &arguments)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Brimo"));
    QCoreApplication::setApplicationName(QStringLiteral("Brimo"));
    LoadQtTranslation();
    CreateConfigFile();

    m_mainFrame = new MainWindow(*this);
    if (!m_mainFrame)
        return NoMainWindow;
    m_mainFrame->RestorePlacement();
    StartDesktopAlerts();
    FollowTheEndOfTheProgram();
    RefreshShell(RefreshMenus | RefreshWindowBar | RefreshSettings);
    if (m_mainFrame->ShouldStartMaximised())
        m_mainFrame->showMaximized();
    else
        m_mainFrame->show();
    // The keyboard comes to the new window at once; without a window manager
    // nobody else would give it.
    m_mainFrame->activateWindow();
    SetConfigReporter(this);
    ReportUnreadableConfig();

    CommandPopup::Shared();
    if (arguments.size() > 1 && arguments.at(1).compare(QLatin1String("debug"), Qt::CaseInsensitive) == 0)
        OpenDebugWindow();
    RefreshShell(RefreshSettings);
    // Favourites connect with their passwords, read from the store first.
    StartStoredSecrets([this, arguments] {
        if (m_exited)
            return;
        AutoConnect();
        OpenIrcLinks(arguments);
    });
    if (!LoadHelpLines()) {
        QMessageBox::critical(m_mainFrame, QStringLiteral("Brimo"), QStringLiteral("error: resources."));
        return NoResources;
    }
    if (ReadBool(kBaseSection, "Zoomed"))
        if (QMdiSubWindow *child = m_mainFrame->ActiveChild())
            child->showMaximized();
    m_notifier->Start();
    RefreshShell(RefreshMenus | RefreshWindowBar | RefreshSettings);
    RefreshShell(RefreshTray);
    RefreshShell(16);
    LoadContactNicks();
    m_mainFrame->update();
    // A start from an irc:// link is already on its way to a server.
    if (HasNoFavouriteServer() && m_sessions->Count() == 0)
        OpenWelcome();
    return Started;
}

void BrimoApp::OpenWelcome()
{
    if (!m_mainFrame)
        return;
    if (!m_welcome) {
        m_welcome = new WelcomeDialog(*this, m_mainFrame);
        m_welcome->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_welcome, &QDialog::accepted, this, &BrimoApp::WelcomeAccepted);
        connect(m_welcome, &QDialog::rejected, this, &BrimoApp::WelcomeCancelled);
    }
    m_welcome->show();
    m_welcome->raise();
    m_welcome->activateWindow();
}

void BrimoApp::WelcomeAccepted()
{
    // The new favourite joins the servers menu before it connects.
    RefreshShell(RefreshMenus);
    ConnectFavourite(m_welcome->Choice().serverName);
}

void BrimoApp::WelcomeCancelled()
{
    // Somewhere to type "/server" into.
    if (m_sessions->Count() == 0)
        m_sessions->CreateSessionWithoutServer();
}

bool BrimoApp::LoadQtTranslation()
{
    if (m_qtTranslation)
        return true;
    auto translation = std::make_unique<QtTranslation>();
    // Qt's installed translations, or a "translations" folder shipped beside the program.
    if (!translation->Load({QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                            QDir(FromUtf8(ResourceDirectory())).filePath(QStringLiteral("translations"))}))
        return false;
    QCoreApplication::installTranslator(translation.get());
    m_qtTranslation = std::move(translation);
    return true;
}

void BrimoApp::OpenProperties(Session &session, const std::string &name)
{
    PropertySheet::OpenProperties(session, name, m_mainFrame);
}

// Before the sessions close: each open user sheet takes its nick off its session.
void BrimoApp::ClosePropertySheets()
{
    PropertySheet::CloseAll();
}

void BrimoApp::AutoConnect()
{
    for (const std::string &key : FavouriteServers::SavedNames()) {
        const std::optional<ServerRecord> record = FavouriteServers::Record(key);
        if (!record || !record->autoConnect)
            continue;
        DebugLog("Autoconnecting to: %s", key.c_str());
        CreateSession(record->host, record->port.port, std::string(), record->port.tls);
    }
}

void BrimoApp::OpenIrcLinks(const QStringList &arguments)
{
    for (const QString &link : LinkInbox::LinksAmong(arguments))
        OpenIrcLink(link);
}

void BrimoApp::OpenIrcLink(const QString &link)
{
    const std::string text = link.toStdString();
    const std::optional<IrcUrl> url = IrcUrl::Parse(text);
    if (!url) {
        WarnLater(Strings::Format(Str::LinkNotUnderstood, text.c_str()));
        return;
    }
    DebugLog("Opening link: %s", text.c_str());
    Session *session = m_sessions->FindServerSession(url->host, url->port, url->tls);
    if (!session)
        session = CreateSession(url->host, url->port, std::string(), url->tls);
    if (session && !url->channel.empty())
        session->JoinWhenWelcomed(url->channel, url->key);
}

void BrimoApp::ReportConfigProblem(const std::string &text)
{
    WarnLater(text);
}

void BrimoApp::WarnLater(const std::string &text)
{
    auto *box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Brimo"), FromUtf8(text), QMessageBox::Ok, m_mainFrame);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

bool BrimoApp::LoadHelpLines()
{
    m_helpLines.clear();
    for (const std::string &line : CommandHelp::Lines()) {
        if (line.empty())
            break;
        m_helpLines.push_back(line);
    }
    return !m_helpLines.empty();
}

void BrimoApp::LoadContactNicks()
{
    // Received messages look a sender up in the address book; with the list
    // known, only contacts cost a read of the file.
    m_sessions->Contacts().Reload();
}

void BrimoApp::Exit()
{
    if (m_exited)
        return;
    m_exited = true;
    // Deleted, not closed: closing it would count as "Zrušiť".
    delete m_welcome.data();
    ClosePropertySheets();
    // Sessions first, while their windows still exist: each sends QUIT, then
    // leaves its channels and closes its windows.
    m_sessions->CloseAll();
    m_sessions->SetRecorder(nullptr);
    m_log->Flush();
    // What the index has not taken yet it takes from the logs at the next start.
    delete m_findEverywhere.data();
    m_history.reset();
    m_notifier->Stop();
    m_identServer->ApplyIdentSetting(false);
    if (m_questionDialog)
        delete m_questionDialog.data();
    if (m_mainFrame)
        m_mainFrame->RefreshTrayIcon(false);
    if (m_debug) {
        m_sessions->SetDebugSink({});
        delete m_debug.data();
    }
    if (m_mainFrame) {
        for (QMdiSubWindow *child : m_mainFrame->Children())
            delete child;
        m_mainFrame->hide();
        m_mainFrame->deleteLater();
    }
}

void BrimoApp::FollowTheEndOfTheProgram()
{
    m_terminationSignals = std::make_unique<TerminationSignals>();
    if (m_terminationSignals->Install())
        connect(m_terminationSignals.get(), &TerminationSignals::received, this, &BrimoApp::EndWhenIdle);
    auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!gui)
        return;
    connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (!CommitSessionData(manager.allowsInteraction()))
            manager.cancel();
        manager.release();
    });
    // The session manager ends the program by leaving its event loop.
    connect(gui, &QCoreApplication::aboutToQuit, this, &BrimoApp::Quit);
}

void BrimoApp::Quit()
{
    if (m_mainFrame) {
        m_mainFrame->EndProgram();
        return;
    }
    Exit();
    QCoreApplication::quit();
}

void BrimoApp::EndWhenIdle()
{
    if (m_exited)
        return;
    QWidget *open = QApplication::activePopupWidget();
    if (!open)
        open = QApplication::activeModalWidget();
    if (open) {
        open->close(); // a question answered "Zrušiť", a menu left
        QTimer::singleShot(kEndRetryMs, this, &BrimoApp::EndWhenIdle);
        return;
    }
    Quit();
}

bool BrimoApp::CommitSessionData(bool mayAsk)
{
    if (!m_mainFrame || m_exited)
        return true;
    if (mayAsk && !m_mainFrame->ChildrenConfirmClose())
        return false;
    m_mainFrame->SavePlacement();
    return true;
}

void BrimoApp::TakeLaterStart(const QStringList &links)
{
    if (m_exited)
        return;
    for (const QString &link : links)
        OpenIrcLink(link);
    if (m_mainFrame)
        m_mainFrame->RestoreFromTray();
}

void BrimoApp::SetBarStateStore(QSettings *store)
{
    m_barStateStore = store;
}

QSettings &BrimoApp::BarStateStore()
{
    if (m_barStateStore)
        return *m_barStateStore;
    if (!m_ownBarStateStore)
        m_ownBarStateStore = std::make_unique<QSettings>(QStringLiteral("Brimo"), QStringLiteral("Brimo"));
    return *m_ownBarStateStore;
}

// ---- sessions ----

Session *BrimoApp::CreateSession(const std::string &host, unsigned port, const std::string &confName, bool tls)
{
    return m_sessions->CreateSession(host, port, confName, tls);
}

bool BrimoApp::CloseSession(const std::string &key)
{
    return m_sessions->CloseSession(key);
}

Session *BrimoApp::FindSession(const std::string &name) const
{
    return m_sessions->FindSession(name);
}

bool BrimoApp::ConnectFavourite(const std::string &serverKey)
{
    const std::optional<ServerRecord> record = FavouriteServers::Record(serverKey);
    if (!record)
        return false;
    // A session of this entry that lost its connection (or was refused) is
    // connected again rather than joined by a second one.
    for (Session *session : m_sessions->Sessions()) {
        if (session->ConfName() != serverKey || session->IsConnected())
            continue;
        if (!session->IsConnecting())
            session->ReconnectNow();
        if (Conversation *server = session->ServerWindow(); server && server->View())
            server->View()->Activate();
        return true;
    }
    return CreateSession(record->host, record->port.port, serverKey, record->port.tls) != nullptr;
}

void BrimoApp::SetAwayEverywhere(bool away)
{
    const std::string line = away ? StrPrintf("/away %s", Strings::Get(Str::DefaultAwayMessage)) : std::string("/away");
    for (Session *session : m_sessions->Sessions())
        session->Command(session->Key(), 0, line);
}

// ---- debug and help windows ----

void BrimoApp::DebugLog(const char *format, ...)
{
    if (!m_sessions->IsDebugLogOpen())
        return;
    va_list args;
    va_start(args, format);
    m_sessions->VDebugLog(format, args);
    va_end(args);
}

bool BrimoApp::OpenDebugWindow()
{
    if (m_debug)
        return true;
    m_debug = new DebugLogWindow();
    connect(m_debug, &DebugLogWindow::closed, this, &BrimoApp::DebugWindowClosed);
    m_sessions->SetDebugSink([this](const std::string &text) {
        if (m_debug)
            m_debug->AddText(FromUtf8(text));
    });
    m_debug->show();
    if (m_mainFrame)
        m_mainFrame->activateWindow();
    return true;
}

void BrimoApp::DebugWindowClosed()
{
    m_sessions->SetDebugSink({});
    m_debug = nullptr;
}

void BrimoApp::OpenHelpWindow()
{
    if (!m_mainFrame)
        return;
    if (m_help) {
        m_mainFrame->ActivateChild(qobject_cast<QMdiSubWindow *>(m_help->parentWidget()));
        return;
    }
    m_help = new HelpViewer();
    m_help->OpenIndex(FromUtf8(ResourceDirectory()));
    m_mainFrame->AddChild(m_help, FromUtf8(Strings::Get(Str::HelpTitle)));
    RefreshShell(RefreshMenus | RefreshWindowBar | RefreshSettings);
}

// ---- scripts ----

ScriptHost *BrimoApp::Scripts()
{
    return m_scriptEngine.get();
}

ScriptEditorWindow *BrimoApp::OpenScriptEditor(const std::string &path)
{
    if (!m_mainFrame)
        return nullptr;
    auto *editor = new ScriptEditorWindow(*m_scriptEngine, *this, *m_sessions);
    if (!path.empty() && !editor->OpenFile(path)) {
        delete editor;
        return nullptr;
    }
    m_mainFrame->AddChild(editor, editor->Caption());
    editor->setFocus();
    RefreshShell(RefreshMenus | RefreshWindowBar | RefreshSettings);
    return editor;
}

// ---- timer and questions ----

void BrimoApp::TimerTick()
{
    for (Session *session : m_sessions->Sessions())
        session->Command(std::string(), 0, "/timer 0");
    if (!m_questionDialog)
        m_questions.Serve();
}

void BrimoApp::ShowQuestion(const Question &question)
{
    auto *dialog = new QuestionDialog(question, m_mainFrame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_questionDialog = dialog;
    connect(dialog, &QuestionDialog::answered, this, [this](int result) {
        AnswerQuestion(result == QuestionDialog::Accepted             ? QuestionQueue::Answer::Accept
                           : result == QuestionDialog::Declined       ? QuestionQueue::Answer::Decline
                           : result == QuestionDialog::AcceptedAlways ? QuestionQueue::Answer::AcceptAlways
                                                                      : QuestionQueue::Answer::Ignore);
    });
    connect(dialog, &QDialog::rejected, this, &BrimoApp::QuestionDialogClosed);
    dialog->show();
}

void BrimoApp::AnswerQuestion(QuestionQueue::Answer answer)
{
    if (!m_questions.HasOpen())
        return;
    const Question question = *m_questions.Open();
    Session *session = FindSession(question.sessionKey);
    if (session && question.kind == Question::Certificate) {
        session->AnswerCertificate(answer == QuestionQueue::Answer::Accept ? Session::CertificateAnswer::AcceptOnce
                                       : answer == QuestionQueue::Answer::AcceptAlways
                                       ? Session::CertificateAnswer::AcceptAlways
                                       : Session::CertificateAnswer::Refuse,
                                   question.fingerprint);
    } else if (session) {
        switch (answer) {
        case QuestionQueue::Answer::Accept:
            RequestAnswer::AcceptRequest(*session, question);
            break;
        case QuestionQueue::Answer::Decline:
            RequestAnswer::RejectRequest(*session, question);
            break;
        case QuestionQueue::Answer::Ignore:
            session->Command(std::string(), 0, question.IgnoreCommand());
            break;
        case QuestionQueue::Answer::AcceptAlways:
            break;
        }
    }
    if (QuestionDialog *dialog = m_questionDialog) {
        m_questionDialog = nullptr;
        dialog->disconnect(this);
        dialog->close();
    }
    m_questions.Answered(answer);
}

void BrimoApp::QuestionDialogClosed()
{
    // Closed without an answer: the request stays with its session, and the
    // next queued question comes at the next tick.
    m_questionDialog = nullptr;
    m_questions.Dismissed();
}

// ---- Shell ----

ConversationView *BrimoApp::CreateView(Conversation &conversation)
{
    return m_mainFrame ? m_mainFrame->CreateChildView(conversation) : nullptr;
}

void BrimoApp::RefreshShell(int bits)
{
    if (bits & RefreshSettings) {
        LoadAppearance(m_settings);
        LoadBehaviour(m_settings, [this](bool on) { m_identServer->ApplyIdentSetting(on); });
        m_log->Apply({m_settings.m_logging, LogDirectory(m_settings)});
        m_sessions->Mentions().SetHighlightWords(m_settings.m_highlightWords);
        SpellChecker::Shared()->Configure(m_settings.m_spellCheck, m_settings.m_spellLanguage);
        FollowLogIndex();
    }
    if (!m_mainFrame)
        return;
    if (bits & RefreshMenus)
        m_mainFrame->RebuildMenus();
    if (bits & RefreshWindowBar)
        m_mainFrame->RefreshWindowBar();
    if (bits & RefreshTray)
        m_mainFrame->RefreshTrayIcon(m_settings.m_enableTray);
    if (bits & RefreshSettings)
        m_mainFrame->RefreshChildSettings();
    m_mainFrame->RefreshLayout();
}

void BrimoApp::ShowBalloon(const std::string &title, const std::string &text, int textClass)
{
    m_balloons.Add(title, text, textClass, m_settings.m_balloonSound);
}

void BrimoApp::AskQuestion(const Question &question)
{
    m_questions.Ask(question);
    if ((question.kind == Question::DccChat || question.kind == Question::DccFile) && !IsMainWindowActive())
        AlertUser({UserAlert::Kind::Offer, question.sessionKey, question.sessionKey, question.Nick(), question.Text()});
}

int BrimoApp::MessageBox(const std::string &text, const std::string &title, int buttons)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    QMessageBox::StandardButton second = QMessageBox::NoButton;
    if ((buttons & ~DefaultSecond) == ButtonsOkCancel) {
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        second = QMessageBox::Cancel;
    } else if ((buttons & ~DefaultSecond) == ButtonsYesNo) {
        standard = QMessageBox::Yes | QMessageBox::No;
        second = QMessageBox::No;
    } else if ((buttons & ~DefaultSecond) == ButtonsSaveDiscardCancel) {
        standard = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        second = QMessageBox::Discard;
    }
    QMessageBox box(QMessageBox::Information, title.empty() ? QStringLiteral("Brimo") : FromUtf8(title), FromUtf8(text),
                    standard, m_mainFrame);
    box.setTextFormat(Qt::PlainText); // the text may hold a nick, a channel or a server's words
    if ((buttons & ~DefaultSecond) == ButtonsResumeOverwriteCancel)
        return AskResumeOverwriteCancel(box);
    if ((buttons & DefaultSecond) && second != QMessageBox::NoButton)
        box.setDefaultButton(second);
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    case QMessageBox::Save:
        return AnswerSave;
    case QMessageBox::Discard:
        return AnswerDiscard;
    default:
        return AnswerOk;
    }
}

int BrimoApp::AskResumeOverwriteCancel(QMessageBox &box)
{
    box.setStandardButtons(QMessageBox::NoButton);
    QPushButton *resume = box.addButton(FromStr(Str::ResumeButton), QMessageBox::AcceptRole);
    QPushButton *overwrite = box.addButton(FromStr(Str::OverwriteButton), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(FromStr(Str::CancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(resume);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == resume)
        return AnswerResume;
    return box.clickedButton() == overwrite ? AnswerOverwrite : AnswerCancel;
}

QString BrimoApp::FileDialogFilter(const std::string &filter)
{
    // "Text (*.txt)|*.txt|All (*.*)|*.*||" -> "Text (*.txt);;All (*.*)"
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        QString entry = parts.at(i);
        if (!entry.contains(QLatin1Char('(')))
            entry += QStringLiteral(" (%1)").arg(QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' ')));
        filters << entry;
    }
    return filters.join(QStringLiteral(";;"));
}

std::string BrimoApp::OpenFileDialog(const std::string &folder, const std::string &filter)
{
    return QFileDialog::getOpenFileName(m_mainFrame, QString(), FromUtf8(folder), FileDialogFilter(filter))
        .toStdString();
}

std::string BrimoApp::SaveFileDialog(const std::string &folder, const std::string &fileName, const std::string &filter)
{
    const QString start = QDir(FromUtf8(folder)).filePath(FromUtf8(fileName));
    return QFileDialog::getSaveFileName(m_mainFrame, QString(), start, FileDialogFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite)
        .toStdString();
}

int BrimoApp::DccCommand(Session &session, const std::string &window, const std::string &line)
{
    return m_dcc->Command(session, window, line);
}

bool BrimoApp::TakeDccOffer(Session &session, const std::string &body, const std::string &senderPrefix)
{
    return m_dcc->TakeOffer(session, body, senderPrefix);
}

bool BrimoApp::SendDccChat(WindowConnection &connection, const std::string &text)
{
    return m_dcc->SendChat(connection, text);
}

void BrimoApp::PopupLine(const std::string &html)
{
    if (!m_popup)
        m_popup = new NoticesWindow(m_mainFrame);
    m_popup->AppendLine(html, FromUtf8(m_settings.m_fontName));
}

void BrimoApp::OpenBanList(Session &session, const std::string &channel)
{
    auto *dialog = new BanListDialog(*m_sessions, session.Key(), channel, m_mainFrame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void BrimoApp::UserPropertiesLine(const std::string &sessionKey, const std::string &nick, const std::string &line)
{
    PropertySheet::RouteUserLine(sessionKey, nick, line);
}
void BrimoApp::ChannelListBegin(const std::string &sessionKey)
{
    if (ChannelSearchWindow *search = SearchWindowOrNew(sessionKey))
        search->BeginList();
}

void BrimoApp::ChannelListRow(const std::string &sessionKey, const std::string &channel, uint32_t users,
                              const std::string &topic)
{
    if (ChannelSearchWindow *search = SearchWindowOrNew(sessionKey))
        search->AddChannel(channel, users, topic);
}

void BrimoApp::ChannelListEnd(const std::string &sessionKey)
{
    if (ChannelSearchWindow *search = SearchWindow(sessionKey))
        search->EndList();
}

ChannelSearchWindow *BrimoApp::SearchWindow(const std::string &sessionKey) const
{
    const auto found = m_searchWindows.find(sessionKey);
    return found == m_searchWindows.end() ? nullptr : found->second.data();
}

ChannelSearchWindow *BrimoApp::SearchWindowOrNew(const std::string &sessionKey)
{
    if (ChannelSearchWindow *search = SearchWindow(sessionKey))
        return search;
    Session *session = m_sessions->FindSession(sessionKey);
    if (!m_mainFrame || !session)
        return nullptr;
    auto *search = new ChannelSearchWindow(*m_sessions, session->Key(), session->ConfName());
    m_searchWindows[session->Key()] = search;
    connect(search, &ChannelSearchWindow::contextMenuRequested, m_mainFrame.data(), &MainWindow::PopupSearchMenu);
    m_mainFrame->AddChild(search, search->Caption());
    RefreshShell(RefreshMenus | RefreshWindowBar | RefreshSettings);
    return search;
}

bool BrimoApp::OpenSearchWindow(const std::string &sessionKey)
{
    ChannelSearchWindow *existing = SearchWindow(sessionKey);
    ChannelSearchWindow *search = existing ? existing : SearchWindowOrNew(sessionKey);
    if (!search)
        return false;
    if (existing)
        m_mainFrame->ActivateChild(search->SubWindow());
    return true;
}

bool BrimoApp::CloseSearchWindow(const std::string &sessionKey)
{
    ChannelSearchWindow *search = SearchWindow(sessionKey);
    if (!search || !search->MayClose())
        return false;
    m_searchWindows.erase(sessionKey);
    // Not from inside the window's own closing, which may be what led here.
    QTimer::singleShot(0, search, &ChannelSearchWindow::CloseNow);
    RefreshShell(RefreshMenus | RefreshWindowBar);
    return true;
}

void BrimoApp::OpenLink(const std::string &address)
{
    QString target = FromUtf8(address).trimmed();
    if (target.isEmpty())
        return;
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        target.prepend(QLatin1String("http://"));
    QDesktopServices::openUrl(QUrl::fromUserInput(target, QDir::currentPath()));
}

bool BrimoApp::IsMainWindowVisible() const
{
    return m_mainFrame && m_mainFrame->isVisible();
}

bool BrimoApp::IsMainWindowActive() const
{
    return m_mainFrame && m_mainFrame->isActiveWindow();
}

void BrimoApp::Beep(int)
{
    QApplication::beep();
}

// ---- find everywhere ----

void BrimoApp::FollowLogIndex()
{
    const ConversationLog::Settings &logs = m_log->GetSettings();
    if (!logs.enabled || logs.folder.empty())
        m_history.reset();
    else if (!m_history || m_history->Folder() != logs.folder)
        m_history = std::make_unique<HistoryIndex>(logs.folder);
    if (m_findEverywhere)
        m_findEverywhere->SetIndex(m_history.get());
}

void BrimoApp::OpenFindEverywhere()
{
    if (!m_mainFrame)
        return;
    if (!m_findEverywhere) {
        m_findEverywhere = new FindEverywhereWindow(m_mainFrame);
        m_findEverywhere->setAttribute(Qt::WA_DeleteOnClose);
        m_findEverywhere->SetIndex(m_history.get());
        connect(m_findEverywhere, &FindEverywhereWindow::lineOpened, this, &BrimoApp::OpenFoundLine);
    }
    m_findEverywhere->show();
    m_findEverywhere->raise();
    m_findEverywhere->activateWindow();
    m_findEverywhere->QueryLine()->setFocus();
}

FindEverywhereWindow *BrimoApp::FindEverywhere() const
{
    return m_findEverywhere;
}

void BrimoApp::OpenFoundLine(const LogFound &found)
{
    if (ConversationWindow *window = WindowShowingLog(*m_sessions, found.file)) {
        if (m_mainFrame)
            m_mainFrame->ActivateChild(window->SubWindow());
        if (ScrollToLoggedLine(*window->View(), found.context.line))
            return;
    }
    auto *day = new LogDayView(found, m_mainFrame);
    day->show();
    day->raise();
    day->activateWindow();
}
