// A conversation window: its making and its panes, the menus, the look-ups
// the text decoration asks, focus and activity, what the conversation tells
// it, and its saved record.
#include "windows/ConversationWindow.h"

#include "input/SpellChecker.h"
#include "input/InputConversationSource.h"

#include "config/AddressBook.h"
#include "config/AppSettings.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Shell.h"
#include "dialogs/ContactDialog.h"
#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "nicklist/NickListView.h"
#include "nicklist/UserMenu.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/FormatLine.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"
#include "view/TextView.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationMenu.h"
#include "windows/ConversationToolBar.h"
#include "windows/NickListSplitter.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <vector>

namespace {

constexpr int kAllRefreshBits = Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings;

} // namespace

// ---- creation ----

ConversationWindow *ConversationWindow::Open(QMdiArea *area, Conversation &conversation, Shell *shell,
                                             const AppSettings &settings)
{
    auto *frame = new ConversationWindow(conversation, shell, settings);
    const Record record = ReadSavedRecord(frame->RecordKey());
    frame->ApplyRecord(record);
    conversation.AttachView(frame);
    if (area) {
        QMdiSubWindow *child = frame->PlaceIn(area, record);
        frame->WatchTheReader(area);
        // The area forgets the window only after it is destroyed.
        QObject::connect(child, &QObject::destroyed, area, [area, shell] {
            QTimer::singleShot(0, area, [shell] {
                if (shell)
                    shell->RefreshShell(kAllRefreshBits);
            });
        });
    } else {
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->show();
    }
    if (shell)
        shell->RefreshShell(kAllRefreshBits);
    return frame;
}

ConversationWindow::ConversationWindow(Conversation &conversation, Shell *shell, const AppSettings &settings,
                                       QWidget *parent)
    : ChildWindow(conversation.SessionKey(), conversation.Name(), parent)
    , m_conversation(&conversation)
    , m_shell(shell)
    , m_settings(settings)
    , m_kind(conversation.Kind())
    , m_type(conversation.Type())
{
    if (Session *session = Session::Of(conversation)) {
        m_table = &session->Table();
        m_displayName = session->HumanName();
    }
    setWindowTitle(QString::fromStdString(conversation.Title()));
    setAutoFillBackground(true);
    ReloadContacts();
    CreatePanes();
    ConnectPanes();
    SetUpFormatContext();
    m_view->Create();
    ApplyTextLimit();
    CheckKind();

    m_scrollTimer.setSingleShot(true);
    m_scrollTimer.setInterval(kScrollDelayMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &ConversationWindow::ScrollAfterResize);
    m_whoTimer.setInterval(kWhoPollMs);
    connect(&m_whoTimer, &QTimer::timeout, this, &ConversationWindow::PollAway);
    m_whoTimer.start();
    m_fitTimer.setSingleShot(true);
    m_fitTimer.setInterval(kFitDelayMs);
    connect(&m_fitTimer, &QTimer::timeout, this, &ConversationWindow::FitNickList);
    FitNickList();
    LayoutPanes();
}

ConversationWindow::~ConversationWindow()
{
    if (Conversation *conversation = m_conversation) {
        m_savedRecord = RecordToKeep();
        ForgetConversation();
        conversation->DetachView(this);
    }
    WriteString(kRecordSection, RecordKey(), m_savedRecord);
    SaveZoomed(IsMaximized());
}

void ConversationWindow::CreatePanes()
{
    m_bar = new ConversationToolBar(this);
    m_bar->SetUserMessages(m_settings.m_userTexts);
    m_bar->ShowFeaturesOf(m_shell);
    m_view = new TextView(this);
    m_input = new InputLine(this);
    m_users = new NickListView(this);
    m_users->SetNickList(&m_conversation->Nicks());
    m_users->ApplySettings(m_settings);
    m_sizer = new NickListSplitter(this);
    m_style = new TextStyleButton(m_input, this);
    m_style->setCursor(Qt::PointingHandCursor);
    m_users->SetContactTest([this](const std::string &nick) { return IsContact(nick); });
    m_input->SetWindowColor(m_settings.m_colorWindow);
    m_input->SetFontFace(m_settings.m_fontName);
    m_completionSource = std::make_unique<InputConversationSource>(*m_conversation);
    m_input->SetCompletionSource(m_completionSource.get());
    m_input->SetSpellChecker(SpellChecker::Shared());
    m_input->SetScriptFilesProvider([this] {
        std::vector<std::string> paths;
        if (m_conversation)
            for (const auto &script : m_conversation->Scripts())
                paths.push_back(script.second);
        return paths;
    });
    if (m_kind != Conversation::KindView)
        setFocusProxy(m_input);
    m_input->installEventFilter(this);
}

void ConversationWindow::ConnectPanes()
{
    connect(m_bar, &ConversationToolBar::commandTriggered, this, [this](int id) { Menu()->Run(id); });
    connect(m_view, &TextView::commandClicked, this,
            [this](const QString &command) { RunCommand(command.toStdString()); });
    connect(m_view, &TextView::plainClicked, this, &ConversationWindow::CopyOnPlainClick);
    connect(m_view, &TextView::doubleClicked, this, &ConversationWindow::OpenWindowProperties);
    connect(m_view, &TextView::contextMenuRequested, this, &ConversationWindow::ShowViewMenu);
    connect(m_input, &InputLine::lineEntered, this, [this](const QString &line) { SendTypedLine(line.toStdString()); });
    connect(m_input, &InputLine::textColorMenuRequested, m_style, &TextStyleButton::PopupTextColors);
    connect(m_input, &InputLine::backgroundColorMenuRequested, m_style, &TextStyleButton::PopupBackgroundColors);
    connect(m_users, &NickListView::commandRequested, this,
            [this](const QString &line) { RunCommand(line.toStdString()); });
    connect(m_users, &NickListView::focusToConversation, this, [this] { setFocus(); });
    connect(m_users, &NickListView::userMenuRequested, this,
            [this](const QPoint &globalPos) { NickMenu()->PopupWithDefault(globalPos); });
    // A drag past the right edge still asks for the narrowest list, not for the fitted one.
    connect(m_sizer, &NickListSplitter::widthRequested, this,
            [this](int width) { SetNickListWidth(std::max(width, kAutoNickListWidth + 1)); });
}

void ConversationWindow::SettingsChanged()
{
    ApplyTextLimit();
    m_bar->SetUserMessages(m_settings.m_userTexts);
    if (m_menu)
        m_menu->SetUserMessages(m_settings.m_userTexts);
}

// The two menus are made when first used: most windows never show them, and
// with many channels open they would take a good part of the memory.
ConversationMenu *ConversationWindow::Menu()
{
    if (m_menu)
        return m_menu;
    m_menu = new ConversationMenu(this);
    m_menu->SetConversation(m_conversation);
    m_menu->SetShell(m_shell);
    m_menu->SetUserMessages(m_settings.m_userTexts);
    m_menu->SetCommandRunner([this](const std::string &line) { return RunCommand(line); });
    connect(m_menu, &ConversationMenu::propertiesRequested, this, &ConversationWindow::OpenWindowProperties);
    connect(m_menu, &ConversationMenu::banListRequested, this, &ConversationWindow::OpenBanList);
    return m_menu;
}

UserMenu *ConversationWindow::NickMenu()
{
    if (m_userMenu)
        return m_userMenu;
    m_userMenu = new UserMenu(this);
    m_userMenu->SetContextProvider([this] { return UserContext(); });
    connect(m_userMenu, &UserMenu::commandRequested, this,
            [this](const QString &line) { RunCommand(line.toStdString()); });
    connect(m_userMenu, &UserMenu::contactsChanged, this, &ConversationWindow::ContactsChanged);
    connect(m_userMenu, &UserMenu::contactEditRequested, this,
            [this](const QString &nick) { EditContact(nick.toStdString()); });
    connect(m_userMenu, &UserMenu::propertiesRequested, this,
            [this](const QString &nick) { OpenProperties(nick.toStdString()); });
    return m_userMenu;
}

void ConversationWindow::CheckKind()
{
    switch (m_kind) {
    case Conversation::KindView:
    case Conversation::KindText:
    case Conversation::KindChannel:
        return;
    }
    const std::string text = StrPrintf("\nChannel Frame %d is unsupported.", m_kind);
    if (m_shell)
        m_shell->MessageBox(text, "Brimo", Shell::ButtonsOk);
}

void ConversationWindow::ApplyRecord(const Record &record)
{
    m_nickListWidth = std::max(record.m_nickListWidth, kAutoNickListWidth);
    if (!m_conversation)
        return;
    Conversation::Toggles &toggles = m_conversation->GetToggles();
    toggles.timeStamps = record.m_timeStamps;
    toggles.fullAddress = record.m_fullAddress;
    toggles.smileys = record.m_smileys;
    toggles.showAway = record.m_showAway;
    toggles.autoScroll = true;
    m_view->SetAutoScroll(true);
    LayoutPanes();
}

void ConversationWindow::SetUpFormatContext()
{
    TextView::PageStyle style;
    style.m_fontName = m_settings.m_fontName;
    style.m_fontSize = m_settings.m_fontSize;
    style.m_colorList = m_settings.m_colorList;
    style.m_donating = m_settings.m_donating;
    m_view->SetPageStyle(style);

    FormatContext context;
    ApplySettings(context, m_settings);
    context.m_decoration.m_smileyFolder = ResourceDirectory() + "/smiles";
    context.m_decoration.m_isNickListMember = [this](std::string_view nick) {
        return m_conversation && m_conversation->Nicks().FindNick(nick);
    };
    context.m_decoration.m_isContact = [this](std::string_view lowerNick) { return IsContact(std::string(lowerNick)); };
    m_view->SetFormatContext(context);
    RefreshFormatContext();
}

// What may have changed since the last line: the settings, the toggles, the own nick.
void ConversationWindow::RefreshFormatContext()
{
    FormatContext &context = m_view->formatContext();
    ApplySettings(context, m_settings);
    Session *session = GetSession();
    context.m_decoration.m_sessionExists = session != nullptr;
    if (session)
        context.m_decoration.m_ownNick = session->Nick();
    if (m_conversation) {
        context.m_timeStamps = m_conversation->GetToggles().timeStamps;
        context.m_decoration.m_smileys = m_conversation->GetToggles().smileys;
    }
}

void ConversationWindow::ReloadContacts()
{
    if (m_table)
        m_table->Contacts().Reload();
}

// The session table's list serves the dispatcher, the decoration and the
// nick list alike.
bool ConversationWindow::IsContact(const std::string &nick) const
{
    return m_table ? m_table->Contacts().IsContact(nick) : ContactList::IsInAddressBook(nick);
}

void ConversationWindow::EditContact(const std::string &nick)
{
    if (!m_shell)
        return;
    ContactDialog dialog(*m_shell, AddressBook::Find(nick), this);
    if (dialog.exec() == QDialog::Accepted)
        ContactsChanged();
}

void ConversationWindow::ContactsChanged()
{
    ReloadContacts();
    m_users->ContactsChanged();
}

Conversation::WindowType ConversationWindow::WindowType() const
{
    return m_conversation ? m_conversation->Type() : m_type;
}

Session *ConversationWindow::GetSession() const
{
    return m_conversation ? Session::Of(*m_conversation) : nullptr;
}

void ConversationWindow::OpenProperties(const std::string &name)
{
    Session *session = GetSession();
    if (session && m_shell && m_shell->HasPropertySheets())
        m_shell->OpenProperties(*session, name);
}

void ConversationWindow::OpenWindowProperties()
{
    if (m_conversation)
        OpenProperties(m_conversation->Name());
}

void ConversationWindow::OpenBanList()
{
    Session *session = GetSession();
    if (session && m_shell && m_shell->HasBanList())
        m_shell->OpenBanList(*session, m_conversation->Name());
}

// ---- clicks and menus of the view ----

void ConversationWindow::CopyOnPlainClick()
{
    if (m_input->hasFocus())
        m_input->copy();
    else
        m_view->Copy();
    setFocus();
}

void ConversationWindow::ShowViewMenu(const QString &command, const QPoint &globalPos)
{
    const std::string id = command.toStdString();
    const bool onNick = GetWord(id, 1) == "/query";
    if (!onNick && WindowType() != Conversation::TypePrivate) {
        ConversationMenu *menu = Menu();
        connect(
            menu, &QMenu::aboutToHide, this, [this] { setFocus(); }, Qt::SingleShotConnection);
        menu->popup(globalPos);
        return;
    }
    if (onNick && WindowType() == Conversation::TypeChannel)
        SelectNick(GetWord(id, 2));
    QAction *copy = nullptr;
    QAction *separator = nullptr;
    UserMenu *menu = NickMenu();
    if (WindowType() == Conversation::TypePrivate) {
        QAction *first = menu->actions().value(0);
        copy = new QAction(FromStr(Str::CommandEditCopy), menu);
        connect(copy, &QAction::triggered, m_view, &TextView::Copy);
        menu->insertAction(first, copy);
        separator = menu->insertSeparator(first);
    }
    menu->PopupWithDefault(globalPos);
    if (copy) {
        // Only while this pop-up is shown; the action runs before the menu hides.
        connect(
            menu, &QMenu::aboutToHide, copy,
            [menu, copy, separator] {
                menu->removeAction(separator);
                menu->removeAction(copy);
                QTimer::singleShot(0, copy, &QObject::deleteLater);
                delete separator;
            },
            Qt::SingleShotConnection);
    }
}

// ---- toggles ----

void ConversationWindow::SetTimeStamps(bool on)
{
    if (m_conversation)
        m_conversation->GetToggles().timeStamps = on;
}

void ConversationWindow::SetAutoScroll(bool on)
{
    if (m_conversation)
        m_conversation->GetToggles().autoScroll = on;
    m_view->SetAutoScroll(on);
}

void ConversationWindow::SetFullAddress(bool on)
{
    if (m_conversation)
        m_conversation->GetToggles().fullAddress = on;
}

void ConversationWindow::SetSmileys(bool on)
{
    if (m_conversation)
        m_conversation->GetToggles().smileys = on;
}

void ConversationWindow::SetShowAway(bool on)
{
    if (m_conversation)
        m_conversation->GetToggles().showAway = on;
}

// ---- focus and activity ----

bool ConversationWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input && event->type() == QEvent::FocusIn) {
        // The focus handed back from inside the window (after a click or a
        // selection in the view, a menu, the nick list) keeps the reader's place.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool fromInside = reason == Qt::OtherFocusReason || reason == Qt::PopupFocusReason;
        if (m_conversation && m_conversation->GetToggles().autoScroll && !fromInside)
            m_view->ScrollToEnd();
        MarkSeen();
    }
    return ChildWindow::eventFilter(watched, event);
}

// The user looks at the window: what arrived is no news, neither are the
// lines of it that named him.
void ConversationWindow::MarkSeen()
{
    if (!m_conversation)
        return;
    m_conversation->SetActivity(false);
    if (m_table)
        m_table->Mentions().MarkWindowRead(m_conversation->SessionKey(), m_conversation->Name());
}

void ConversationWindow::Activated()
{
    MarkSeen();
    if (m_conversation) {
        if (m_conversation->GetToggles().autoScroll)
            m_view->ScrollToEnd();
    }
    if (m_kind != Conversation::KindView)
        m_input->setFocus();
    if (m_shell)
        m_shell->RefreshShell(kAllRefreshBits);
}

// ---- ConversationView ----

void ConversationWindow::SetTitle(const std::string &title)
{
    if (Session *session = GetSession())
        m_displayName = session->HumanName();
    if (m_conversation)
        SetWindowNameText(m_conversation->Name());
    setWindowTitle(QString::fromStdString(title));
    if (m_shell)
        m_shell->RefreshShell(kAllRefreshBits);
}

void ConversationWindow::TopicChanged(const std::string &)
{
    // The caption follows through SetTitle; the button's tool tip reads the topic.
}

void ConversationWindow::ChannelStateChanged()
{
    LayoutPanes();
}

void ConversationWindow::NickListChanged()
{
    m_users->viewport()->update();
    // Measuring every nick costs a pass over the list: a burst of joins is
    // measured once, kFitDelayMs after its first change.
    if (m_nickListWidth == kAutoNickListWidth && !m_fitTimer.isActive())
        m_fitTimer.start();
}

void ConversationWindow::Close()
{
    if (!m_conversation)
        return;
    m_savedRecord = RecordToKeep();
    ForgetConversation();
    QTimer::singleShot(0, this, [this] { CloseNow(); });
}

void ConversationWindow::ForgetConversation()
{
    m_whoTimer.stop();
    m_type = m_conversation->Type();
    m_users->SetNickList(nullptr);
    if (m_menu)
        m_menu->SetConversation(nullptr);
    m_input->SetCompletionSource(nullptr);
    m_completionSource.reset();
    m_conversation = nullptr;
}

void ConversationWindow::Activate()
{
    if (QMdiSubWindow *child = SubWindow()) {
        // Only a minimised window is restored: a maximised one stays
        // maximised, and the area maximises the next one it activates.
        if (child->isMinimized())
            child->showNormal();
        if (QMdiArea *area = child->mdiArea())
            area->setActiveSubWindow(child);
        child->raise();
    }
    setFocus();
}

bool ConversationWindow::IsActive() const
{
    return IsActiveChild();
}

bool ConversationWindow::CloseRequested()
{
    if (!GetSession()) {
        if (m_shell)
            m_shell->RefreshShell(Shell::RefreshWindowBar);
        return true;
    }
    Send(0, StrPrintf("/close %s", m_conversation->Name().c_str()));
    return false;
}

// ---- the saved record ----

std::string ConversationWindow::RecordKey() const
{
    if (WindowType() == Conversation::TypeStatus)
        return "Wnd_" + m_displayName;
    return ChildWindow::RecordKey();
}

std::optional<std::string> ConversationWindow::RecordToKeep() const
{
    if (m_conversation && m_conversation->IsDccChatWindow())
        return std::nullopt;
    return SavedRecord();
}

std::string ConversationWindow::SavedRecord() const
{
    Record record;
    record.m_normal = NormalGeometry();
    record.m_nickListWidth = m_nickListWidth;
    if (m_conversation) {
        const Conversation::Toggles &toggles = m_conversation->GetToggles();
        record.m_timeStamps = toggles.timeStamps;
        record.m_fullAddress = toggles.fullAddress;
        record.m_smileys = toggles.smileys;
        record.m_showAway = toggles.showAway;
    }
    return record.Format(IsMaximized());
}
