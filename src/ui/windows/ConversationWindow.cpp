#include "windows/ConversationWindow.h"

#include "input/InputConversationSource.h"

#include "app/CommandIds.h"
#include "config/AddressBook.h"
#include "config/AppSettings.h"
#include "config/Config.h"
#include "config/Strings.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Shell.h"
#include "conversation/TypedLine.h"
#include "dialogs/ContactDialog.h"
#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "nicklist/NickListView.h"
#include "nicklist/UserMenu.h"
#include "session/DispatchHandlers.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/FormatLine.h"
#include "text/StrPrintf.h"
#include "text/Words.h"
#include "view/TextView.h"
#include "windows/ConversationToolBar.h"
#include "windows/ConversationMenu.h"
#include "windows/NickListSplitter.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace {

constexpr int kAllRefreshBits = Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings;

// Where the panes are (an empty rectangle for a hidden one), to tell whether a
// layout moved anything.
std::vector<QRect> PanePlaces(std::initializer_list<const QWidget *> panes)
{
    std::vector<QRect> places;
    for (const QWidget *pane : panes)
        places.push_back(pane->isHidden() ? QRect() : pane->geometry());
    return places;
}

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

ConversationWindow::ConversationWindow(Conversation &conversation, Shell *shell, const AppSettings &settings, QWidget *parent)
    : ChildWindow(conversation.SessionKey(), conversation.Name(), parent)
    , m_conversation(&conversation)
    , m_shell(shell)
    , m_settings(settings)
    , m_kind(conversation.Kind())
    , m_type(conversation.Type())
{
    if (Session *session = conversation.GetSession()) {
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
    CheckKind();

    m_scrollTimer.setSingleShot(true);
    m_scrollTimer.setInterval(kScrollDelayMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, [this] { m_view->ScrollToEnd(); });
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
        m_savedRecord = SavedRecord();
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
    connect(m_input, &InputLine::lineEntered, this,
            [this](const QString &line) { SendTypedLine(line.toStdString()); });
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
    return m_conversation ? m_conversation->GetSession() : nullptr;
}

// ---- printing ----

bool ConversationWindow::Print(const std::string &text, int textClass, int64_t time)
{
    return ShowLine(text, textClass, time);
}

bool ConversationWindow::ShowLine(const std::string &text, int textClass, int64_t time)
{
    if (text.empty())
        return false;
    RefreshFormatContext();
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    ClearWhenFull();
    NoteActivity(text, textClass);
    m_view->WriteLine(text, static_cast<TextClass>(textClass), timeStamps, static_cast<std::time_t>(time));
    return true;
}

void ConversationWindow::ClearWhenFull()
{
    const int64_t maxSize = std::max<int64_t>(m_settings.m_maxTextSize, kMinMaxTextSize);
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    if (m_view->TextSize() > maxSize - kWarningBand)
        m_view->WriteLine(Strings::Get(Str::WindowTextTooLong), TextClass::High, timeStamps, 0);
    if (m_view->TextSize() <= maxSize)
        return;
    const int64_t oldSize = m_view->TextSize();
    m_view->Clear();
    m_view->Create();
    m_view->WriteLine(Strings::Format(Str::WindowTextCleared, static_cast<int>(oldSize)), TextClass::High, timeStamps,
                      0);
}

void ConversationWindow::NoteActivity(const std::string &text, int textClass)
{
    const bool mainActive = m_shell && m_shell->IsMainWindowActive();
    if (m_conversation && !(IsActiveChild() && mainActive))
        m_conversation->SetActivity(true);
    if (!m_shell)
        return;
    if (m_settings.m_beepOnMessage && !mainActive)
        m_shell->Beep(0);
    if (!m_shell->IsMainWindowVisible() && m_settings.m_showBalloon)
        m_shell->ShowBalloon(BalloonTitle(), text, textClass);
}

std::string ConversationWindow::BalloonTitle() const
{
    if (WindowType() == Conversation::TypeStatus)
        return m_displayName;
    return m_conversation ? m_conversation->Name() : WindowNameText();
}

std::string ConversationWindow::FormatLine(const std::string &text, int textClass) const
{
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    return m_view->FormatLine(text, static_cast<TextClass>(textClass), timeStamps, 0);
}

// ---- commands ----

int ConversationWindow::Send(int number, const std::string &line)
{
    if (!m_conversation)
        return 0;
    const std::string window = m_conversation->Name();
    if (m_commandSink)
        return m_commandSink(window, number, line);
    Session *session = GetSession();
    return session ? session->Command(window, number, line) : 0;
}

int ConversationWindow::RunCommand(const std::string &line)
{
    if (!GetSession())
        return 0;
    return Send(0, line);
}

std::string ConversationWindow::CurrentUser() const
{
    return m_conversation ? m_conversation->CurrentUser() : std::string();
}

void ConversationWindow::SelectNick(const std::string &nick)
{
    if (m_conversation)
        m_conversation->Nicks().SelectNick(nick);
}

int ConversationWindow::NickCount() const
{
    return m_conversation ? m_conversation->Nicks().NickCount() : 0;
}

void ConversationWindow::SetNickAway(const std::string &nick, const std::string &text)
{
    if (m_conversation && m_conversation->Nicks().SetNickAway(nick, text))
        m_users->viewport()->update();
}

bool ConversationWindow::IsDccChat() const
{
    if (!m_conversation || !m_conversation->DccChat())
        return false;
    const QString name = QString::fromStdString(m_conversation->Name());
    return name.compare(SessionName(), Qt::CaseInsensitive) != 0;
}

void ConversationWindow::SendDccChat(const std::string &text)
{
    Session *session = GetSession();
    Print((session ? session->Nick() : std::string()) + ": " + text, static_cast<int>(TextClass::Text));
    if (m_conversation && m_shell)
        m_shell->SendDccChat(*m_conversation->DccChat(), text);
}

void ConversationWindow::SendTypedLine(const std::string &text)
{
    if (!m_conversation)
        return;
    const TypedLine typed = TypedLine::Of(text, TypedWindow());
    if (typed.meaning == TypedLine::Meaning::Nothing)
        return;
    if (typed.meaning == TypedLine::Meaning::DccChat) {
        SendDccChat(text);
        return;
    }
    Session *session = GetSession();
    if (!session) {
        if (m_table)
            m_table->DebugLog("\n!!!CANNOT GET KERNEL: %s, from: %s", SessionNameText().c_str(),
                              m_conversation->Name().c_str());
        return;
    }
    if (typed.meaning == TypedLine::Meaning::RefusedInStatus) {
        session->PrintTo("", TextClass::Info, Strings::Get(Str::NoTextToServer));
        session->PrintTo("", TextClass::Info, Strings::Get(Str::QuoteCommandHint));
        return;
    }
    Send(typed.number, typed.commandLine);
}

TypedLine::Window ConversationWindow::TypedWindow() const
{
    TypedLine::Window window;
    window.name = m_conversation->Name();
    window.kind = m_kind;
    window.isStatus = WindowType() == Conversation::TypeStatus;
    window.isDccChat = IsDccChat();
    return window;
}

void ConversationWindow::PollAway()
{
    if (!m_conversation || !GetSession() || !m_conversation->GetToggles().showAway)
        return;
    // The server tells of every member who goes away or comes back.
    if (GetSession()->Caps().IsEnabled("away-notify"))
        return;
    const int count = NickCount();
    if (count > 0 && count < Dispatch::kWhoNickLimit)
        RunCommand(StrPrintf("/who %s", m_conversation->Name().c_str()));
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
        copy = new QAction(QString::fromUtf8("&Kopírovať"), menu);
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

void ConversationWindow::SetNickListWidth(int width)
{
    m_nickListWidth = std::max(width, kAutoNickListWidth);
    LayoutPanes();
}

// Until the user drags the splitter the list grows to show a longer nick
// that joins; it does not shrink when one leaves, so the text does not
// rewrap under the reader at every part.
void ConversationWindow::FitNickList()
{
    if (m_kind != Conversation::KindChannel)
        return;
    const int fitted = m_users->FittedWidth(m_users->height());
    if (fitted <= m_fittedListWidth)
        return;
    m_fittedListWidth = fitted;
    LayoutPanes();
}

// ---- layout ----

void ConversationWindow::LayoutPanes()
{
    const auto panes = {static_cast<const QWidget *>(m_bar),   static_cast<const QWidget *>(m_users),
                        static_cast<const QWidget *>(m_sizer), static_cast<const QWidget *>(m_view),
                        static_cast<const QWidget *>(m_input), static_cast<const QWidget *>(m_style)};
    const std::vector<QRect> before = PanePlaces(panes);
    const int w = width();
    const int h = height();
    const bool withInput = m_kind != Conversation::KindView;
    const int inputHeight = withInput ? InputLine::kHeight : 0;
    const int top = withInput ? h - inputHeight - 1 : h;

    const bool withBar = WindowType() == Conversation::TypeChannel;
    m_bar->setVisible(withBar);
    const int barWidth = withBar ? m_bar->sizeHint().width() : 0;
    if (withBar)
        m_bar->setGeometry(0, 0, barWidth, top);
    const int left = withBar ? barWidth + 1 : 0;

    const bool withUsers = m_kind == Conversation::KindChannel;
    m_users->setVisible(withUsers);
    m_sizer->setVisible(withUsers);
    int viewRight = w;
    if (withUsers) {
        const int listWidth = LaidOutNickListWidth(w - left - NickListSplitter::kWidth, top);
        m_users->setGeometry(w - listWidth, 0, listWidth, top);
        m_sizer->setGeometry(w - listWidth - NickListSplitter::kWidth, 0, NickListSplitter::kWidth, top);
        viewRight = w - listWidth - NickListSplitter::kWidth;
    }
    m_view->setGeometry(left, 0, std::max(0, viewRight - left), std::max(0, top));

    m_input->setVisible(withInput);
    m_style->setVisible(withInput);
    if (withInput) {
        m_style->setGeometry(0, top + 1, kStyleButtonWidth, inputHeight);
        m_input->setGeometry(kStyleButtonWidth, top + 1, std::max(0, w - kStyleButtonWidth), inputHeight);
    }
    // Channel modes change this often under a flood; repainting the whole
    // window each time would cost more than the text itself.
    if (PanePlaces(panes) != before)
        update();
}

// room: what the text and the list share. The list gives way down to its
// minimum before the text column becomes narrower than kMinTextColumns.
int ConversationWindow::LaidOutNickListWidth(int room, int height) const
{
    room = std::max(room, 0);
    const int minimum = std::min(m_users->MinimumWidth(height), room);
    const int wanted = m_nickListWidth > kAutoNickListWidth ? m_nickListWidth : m_fittedListWidth;
    const int spare = room - m_view->WidthForColumns(kMinTextColumns);
    return std::clamp(std::min(wanted, spare), minimum, room);
}

void ConversationWindow::resizeEvent(QResizeEvent *event)
{
    ChildWindow::resizeEvent(event);
    LayoutPanes();
    m_view->ResizeBanner(m_view->viewport()->width());
    m_scrollTimer.start();
}

void ConversationWindow::paintEvent(QPaintEvent *event)
{
    ChildWindow::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    if (m_input->isVisible())
        painter.drawLine(0, m_input->y() - 1, width(), m_input->y() - 1);
    if (m_users->isVisible())
        painter.drawLine(m_users->x() - 1, 0, m_users->x() - 1, m_users->height());
    if (m_bar->isVisible())
        painter.drawLine(m_bar->width(), 0, m_bar->width(), m_bar->height());
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
        if (m_conversation)
            m_conversation->SetActivity(false);
    }
    return ChildWindow::eventFilter(watched, event);
}

void ConversationWindow::Activated()
{
    if (m_conversation) {
        m_conversation->SetActivity(false);
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
    m_savedRecord = SavedRecord();
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
