#include "AppFixture.h"

#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "config/Config.h"
#include "search/ChannelSearchWindow.h"
#include "search/SearchBar.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <string>
#include <vector>

namespace {

// Once a modal window of type T is up, hands it to answer, which closes it.
// Call it right before the code that opens the window; it gives up after a
// while when none comes.
template <typename T>
void WhenModalShows(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    auto *waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, answer] {
        T *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!window && waited->elapsed() < 10000)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (window)
            answer(window);
    });
    poll->start(5);
}

QString Text(StrText id)
{
    return QString::fromUtf8(Strings::Get(id));
}

class SearchWindowTest : public AppFixture
{
protected:
    bool Start()
    {
        m_session = StartConnected();
        return m_session != nullptr;
    }
    ChannelSearchWindow *Search() const { return m_app->SearchWindow(m_session->Key()); }

    // A whole list from the server ("channel users :topic" rows); waits
    // until the session has taken it.
    void SendList(const std::vector<std::string> &rows)
    {
        m_server.SendLine(":irc.test 321 tester Channel :Users  Name");
        for (const std::string &row : rows)
            m_server.SendLine(":irc.test 322 tester " + row);
        m_server.SendLine(":irc.test 323 tester :End of LIST");
        ASSERT_TRUE(Synchronise());
    }

    // Waits until the session has read everything the server sent so far.
    bool Synchronise()
    {
        m_server.SendLine("PING :sync");
        return m_server.WaitForLineStartingWith("PONG sync");
    }

    // The texts of a column, top to bottom, as the list shows them.
    QStringList Column(int column) const
    {
        QAbstractItemModel *model = Search()->ListView()->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }

    void ClickHeader(int column)
    {
        QHeaderView *header = Search()->ListView()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    }

    QRect RowRect(const QString &channel) const
    {
        QTreeView *view = Search()->ListView();
        const int row = Column(0).indexOf(channel);
        return row < 0 ? QRect() : view->visualRect(view->model()->index(row, 0));
    }

    void SelectRow(const QString &channel)
    {
        QTest::mouseClick(Search()->ListView()->viewport(), Qt::LeftButton, {}, RowRect(channel).center());
    }

    bool Enabled(int id) const
    {
        bool enabled = false;
        bool checked = false;
        return Search()->UpdateCommand(id, enabled, checked) && enabled;
    }

    // Whether a line starting with prefix reaches the server before a marker
    // sent after whatever the test did.
    bool SentBeforeMarker(const std::string &prefix)
    {
        m_session->SendLine("PING :marker");
        std::string found;
        if (!m_server.WaitForLine(
                [&](const std::string &line) { return line.rfind(prefix, 0) == 0 || line == "PING :marker"; }, 10000,
                &found))
            return false;
        const bool sent = found.rfind(prefix, 0) == 0;
        if (sent)
            m_server.WaitForLineStartingWith("PING :marker");
        return sent;
    }

    Session *m_session = nullptr;
};

TEST_F(SearchWindowTest, SearchOpensOneWindowThatListsTheNetworksChannels)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search"), 1);
    ChannelSearchWindow *search = Search();
    ASSERT_TRUE(search);
    EXPECT_EQ(search->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 0 z 0 ..."));
    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search"), 1);
    EXPECT_EQ(Search(), search);

    SendList({"#slovensko 42 :\x02"
              "Ahoj\x02 vsetci",
              "#ab 7 :maly", "&local 3 :not listed"});
    EXPECT_EQ(Column(0), (QStringList{"#slovensko", "#ab"}));
    EXPECT_EQ(Column(1), (QStringList{"42", "7"}));
    EXPECT_EQ(Column(2), (QStringList{"Ahoj vsetci", "maly"}));
    EXPECT_EQ(search->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 2 z 2 ..."));
    EXPECT_EQ(search->SubWindow()->windowTitle(), search->Caption());

    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search close"), 1);
    EXPECT_FALSE(Search());
    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search close"), 0); // nothing left to close
}

// The window's title follows the list, and the menu the user has open stays open.
TEST_F(SearchWindowTest, AnOpenMenuStaysOpenWhileTheListArrives)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search"), 1);
    ASSERT_TRUE(Search());
    QPointer<QMenu> menu = Frame()->TopMenu(QStringLiteral("connect"));
    ASSERT_TRUE(menu);
    menu->popup(Frame()->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(menu->isVisible());

    SendList({"#one 1 :prvy", "#two 2 :druhy"});
    ASSERT_TRUE(WaitFor([&] { return Search()->TotalCount() == 2; }));
    QCoreApplication::processEvents();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Frame()->TopMenu(QStringLiteral("connect")), menu.data());
    EXPECT_EQ(Search()->SubWindow()->windowTitle(), Search()->Caption());

    // The window menu's entry follows a new title too.
    Search()->setWindowTitle(QStringLiteral("Kanály & ich počet"));
    QStringList entries;
    for (QAction *action : Frame()->WindowMenu()->actions())
        entries << action->text();
    EXPECT_TRUE(entries.contains(QStringLiteral("Kanály && ich počet")))
        << entries.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(menu && menu->isVisible());
    menu->hide();
}

TEST_F(SearchWindowTest, AListNobodyAskedForOpensTheWindowAndANewListReplacesTheOld)
{
    ASSERT_TRUE(Start());
    // As after "/quote LIST": no window yet.
    SendList({"#one 1 :prvy", "#two 2 :druhy"});
    ASSERT_TRUE(Search());
    EXPECT_EQ(Search()->TotalCount(), 2);
    SendList({"#three 3 :treti"});
    EXPECT_EQ(Column(0), QStringList{"#three"});
    EXPECT_EQ(Search()->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 1 z 1 ..."));
}

TEST_F(SearchWindowTest, TheBarStartsAfterAskingWithNoAsDefaultAndStopsARunningList)
{
    ASSERT_TRUE(Start());
    m_session->Command(m_session->Key(), 0, "/search");
    SearchBar *bar = Search()->Bar();
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString question;
    WhenModalShows<QMessageBox>([&](QMessageBox *box) {
        defaultButton = box->standardButton(box->defaultButton());
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(bar->StartButton(), Qt::LeftButton);
    EXPECT_EQ(question, Text(Str::SearchWarning));
    EXPECT_EQ(defaultButton, QMessageBox::No);
    ASSERT_TRUE(m_server.WaitForLineStartingWith("LIST"));

    m_server.SendLine(":irc.test 321 tester Channel :Users  Name");
    m_server.SendLine(":irc.test 322 tester #first 5 :prvy");
    ASSERT_TRUE(WaitFor([&] { return Search()->IsRunning(); }));
    EXPECT_FALSE(bar->FilterEdit()->isEnabled());
    EXPECT_FALSE(bar->MinimumEdit()->isEnabled());
    EXPECT_TRUE(bar->StartButton()->isEnabled());
    EXPECT_EQ(bar->StartButton()->text(), Text(Str::SearchStop));
    EXPECT_EQ(bar->StartButton()->toolTip(), Text(Str::SearchStopTip));

    // Closing is refused while the list runs.
    QString refusal;
    WhenModalShows<QMessageBox>([&](QMessageBox *box) {
        refusal = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    Search()->SubWindow()->close();
    EXPECT_EQ(refusal, Text(Str::SearchCloseRefused));
    ASSERT_TRUE(Search());
    EXPECT_TRUE(Search()->isVisible());

    // Stopped: the rest of this list is dropped.
    QTest::mouseClick(bar->StartButton(), Qt::LeftButton);
    EXPECT_FALSE(Search()->IsRunning());
    EXPECT_TRUE(bar->FilterEdit()->isEnabled());
    EXPECT_EQ(bar->StartButton()->text(), Text(Str::SearchStart));
    EXPECT_EQ(bar->StartButton()->toolTip(), Text(Str::SearchStartTip));
    m_server.SendLine(":irc.test 322 tester #late 9 :neskoro");
    m_server.SendLine(":irc.test 323 tester :End of LIST");
    ASSERT_TRUE(Synchronise());
    EXPECT_EQ(Column(0), QStringList{"#first"});
    EXPECT_FALSE(Search()->IsRunning());

    // Idle, the window closes.
    QPointer<ChannelSearchWindow> search = Search();
    search->SubWindow()->close();
    EXPECT_TRUE(WaitFor([&] { return search.isNull(); }));
    EXPECT_FALSE(Search());
}

TEST_F(SearchWindowTest, TheFilterAppliesAsItIsTyped)
{
    ASSERT_TRUE(Start());
    SendList({"#a1b2c3 9 :nic", "#cab 10 :abeceda", "#zzz 12 :nothing"});
    SearchBar *bar = Search()->Bar();
    QTest::keyClicks(bar->FilterEdit(), QStringLiteral("abc"));
    EXPECT_EQ(Column(0), (QStringList{"#a1b2c3", "#cab"})); // the name of one, the topic of the other
    EXPECT_EQ(Search()->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 2 z 3 ..."));
    bar->TopicsBox()->click();
    EXPECT_EQ(Column(0), QStringList{"#a1b2c3"});
    bar->MinimumEdit()->selectAll();
    QTest::keyClicks(bar->MinimumEdit(), QStringLiteral("10"));
    EXPECT_TRUE(Column(0).isEmpty());
    bar->NamesBox()->click(); // no box: every channel of at least 10 users
    EXPECT_EQ(Column(0), (QStringList{"#cab", "#zzz"}));
    bar->MinimumEdit()->setText(QStringLiteral("-1"));
    EXPECT_TRUE(Column(0).isEmpty());
    EXPECT_EQ(Search()->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 0 z 3 ..."));
}

TEST_F(SearchWindowTest, TheHeadersShareOneSortDirection)
{
    ASSERT_TRUE(Start());
    SendList({"#beta 100 :Zebra", "#Alpha 9 :apple pie", "#gamma 10 :mango"});
    ClickHeader(1);
    EXPECT_EQ(Column(1), (QStringList{"9", "10", "100"}));
    ClickHeader(1);
    EXPECT_EQ(Column(1), (QStringList{"100", "10", "9"}));
    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"#Alpha", "#beta", "#gamma"}));
    ClickHeader(2);
    EXPECT_EQ(Column(2), (QStringList{"Zebra", "mango", "apple pie"}));

    // The selected channel stays selected as the rows move.
    SelectRow("#gamma");
    ClickHeader(0); // ascending again
    EXPECT_EQ(Column(0), (QStringList{"#Alpha", "#beta", "#gamma"}));
    EXPECT_EQ(Search()->ListView()->selectionModel()->selectedRows().value(0).row(), 2);

    // Channels of a list that come in batches go to their sorted places.
    ClickHeader(1);
    ClickHeader(1); // users, ascending
    m_server.SendLine(":irc.test 321 tester Channel :Users  Name");
    m_server.SendLine(":irc.test 322 tester #c 30 :x");
    m_server.SendLine(":irc.test 322 tester #a 10 :x");
    ASSERT_TRUE(Synchronise());
    Search()->FlushChannels();
    m_server.SendLine(":irc.test 322 tester #d 5 :x");
    m_server.SendLine(":irc.test 322 tester #b 20 :x");
    m_server.SendLine(":irc.test 323 tester :End of LIST");
    ASSERT_TRUE(Synchronise());
    EXPECT_EQ(Column(0), (QStringList{"#d", "#a", "#b", "#c"}));
}

TEST_F(SearchWindowTest, ARightClickOpensTheSearchMenuAndADoubleClickJoins)
{
    ASSERT_TRUE(Start());
    SendList({"#linux 42 :tux", "#a,0 3 :zle meno"});
    EXPECT_FALSE(Enabled(CommandId::SearchJoin));
    EXPECT_TRUE(Enabled(CommandId::SearchSaveList));

    QTest::mouseClick(Search()->ListView()->viewport(), Qt::RightButton, {}, RowRect("#linux").center());
    const QPoint at = RowRect("#linux").center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, Search()->ListView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Search()->ListView()->viewport(), &event);
    QMenu *menu = Frame()->SearchMenu();
    ASSERT_TRUE(menu);
    ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
    EXPECT_TRUE(Frame()->Action(CommandId::SearchJoin)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::SearchAddFavourite)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::SearchShowUsers)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::SearchSendMessage)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::SearchSaveList)->isEnabled());
    Frame()->Action(CommandId::SearchShowUsers)->trigger();
    menu->close();
    EXPECT_TRUE(m_server.WaitForLineStartingWith("NAMES #linux"));

    QTest::mouseDClick(Search()->ListView()->viewport(), Qt::LeftButton, {}, RowRect("#linux").center());
    EXPECT_TRUE(m_server.WaitForLineStartingWith("JOIN #linux"));

    // "#a,0" would join #a and leave every channel: it takes no command.
    SelectRow("#a,0");
    EXPECT_FALSE(Enabled(CommandId::SearchJoin));
    EXPECT_FALSE(Enabled(CommandId::SearchAddFavourite));
    QTest::mouseDClick(Search()->ListView()->viewport(), Qt::LeftButton, {}, RowRect("#a,0").center());
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchJoin));
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchAddFavourite));
    EXPECT_FALSE(SentBeforeMarker("JOIN"));
    EXPECT_EQ(ReadString("Channels Group Siet", "#a,0"), "");
}

TEST_F(SearchWindowTest, FavouritesAreStoredOrTheFailureIsShownAndMessagesAreSent)
{
    ASSERT_TRUE(Start());
    SendList({"#linux 42 :tux", "#a=b 3 :cannot be a key"});
    SelectRow("#linux");
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchAddFavourite));
    EXPECT_EQ(ReadString("Channels Group Siet", "#linux"), "#linux 0");
    QStringList favourites;
    for (QAction *action : Frame()->FavouriteChannelsMenu()->actions())
        favourites << action->text();
    EXPECT_TRUE(favourites.contains("#linux")) << favourites.join(',').toStdString();

    Search()->SetTextPrompt([](const QString &title, const QString &prompt, QString &text) {
        EXPECT_EQ(title, Text(Str::SendMessageTitle));
        EXPECT_EQ(prompt, Text(Str::SendMessagePrompt));
        text = QStringLiteral("ahoj všetci");
        return true;
    });
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchSendMessage));
    EXPECT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #linux :ahoj všetci"));

    SelectRow("#a=b");
    QString report;
    WhenModalShows<QMessageBox>([&](QMessageBox *box) {
        report = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchAddFavourite));
    EXPECT_EQ(report.toStdString(), Strings::Format(Str::FavouriteNotStored, "#a=b"));
    std::vector<std::string> keys;
    ReadSectionKeys("Channels Group Siet", keys);
    EXPECT_EQ(keys, std::vector<std::string>{"#linux"});
}

TEST_F(SearchWindowTest, AnExistingFavouriteKeepsItsSettings)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WriteString("Channels Group Siet", "#linux", std::string("#linux 1")));
    ASSERT_TRUE(WriteString(kPasswordsSection, "Siet - #linux", std::string("kluc")));
    SendList({"#linux 42 :tux"});
    SelectRow("#linux");
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchAddFavourite));
    EXPECT_EQ(ReadString("Channels Group Siet", "#linux"), "#linux 1");
    EXPECT_EQ(ReadPassword("Siet - #linux"), "kluc");
}

TEST_F(SearchWindowTest, SavingWritesTheShownRowsInTheirOrderOrSaysItFailed)
{
    ASSERT_TRUE(Start());
    SendList({"#a 5 :hello",
              "#dlhy-nazov-kanala 1234 :\x1f"
              "dlha\x1f tema",
              "#skryty 0 :hidden"});
    Search()->Bar()->MinimumEdit()->setText(QStringLiteral("1"));
    ClickHeader(1);
    ClickHeader(1); // users, descending
    const QString path = QString::fromStdString(ConfigDir()) + QStringLiteral("/zoznam.Txt");
    QString proposed;
    WhenModalShows<QFileDialog>([&](QFileDialog *dialog) {
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it
    });
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchSaveList));
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/ChannelsList.Txt"))) << proposed.toStdString();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(),
              "#dlhy-nazov-kanala 1234 dlha tema\r\n#a" + std::string(16, ' ') + "5 hello\r\n");

    // A folder that cannot be: the user is told.
    QFile blocker(QString::fromStdString(ConfigDir()) + QStringLiteral("/subor"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString impossible = blocker.fileName() + QStringLiteral("/zoznam.Txt");
    WhenModalShows<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectFile(impossible);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it
    });
    QString report;
    WhenModalShows<QMessageBox>([&](QMessageBox *box) {
        report = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_TRUE(Search()->HandleCommand(CommandId::SearchSaveList));
    EXPECT_EQ(report.toStdString(), Strings::Format(Str::ChannelListNotSaved, impossible.toStdString().c_str()));
}

// Against a real server: 2 000 channels, made by four clients in bursts.
TEST_F(SearchWindowTest, TwoThousandChannelsOfARealServerFillTheListAndJoinOnADoubleClick)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    NgircdServer server;
    ASSERT_TRUE(server.Start()) << server.Output();
    constexpr int kMakers = 4;
    constexpr int kPerMaker = 500;
    std::vector<std::unique_ptr<RawIrcClient>> makers;
    for (int m = 0; m < kMakers; ++m) {
        makers.push_back(std::make_unique<RawIrcClient>());
        ASSERT_TRUE(makers.back()->ConnectAndRegister(server.Port(), "tvorca" + std::to_string(m)));
        std::string burst;
        std::string joins;
        std::string topics;
        for (int k = 0; k < kPerMaker; ++k) {
            const std::string number = std::to_string(m * kPerMaker + k);
            joins += (joins.empty() ? "JOIN #k" : ",#k") + number;
            topics += "TOPIC #k" + number + " :tema " + number + "\r\n";
            if (joins.size() > 400 || k + 1 == kPerMaker) {
                burst += joins + "\r\n" + topics;
                joins.clear();
                topics.clear();
            }
        }
        ASSERT_TRUE(makers.back()->SendRaw(burst + "PING :made\r\n"));
    }
    for (auto &maker : makers)
        ASSERT_TRUE(maker->WaitForLine([](const std::string &line) {
            return RawIrcClient::CommandOf(line) == "PONG" && line.find("made") != std::string::npos;
        }));
    // Two members in #k7 and #k1500.
    const auto joined = [](const std::string &channel) {
        return [channel](const std::string &line) {
            return RawIrcClient::CommandOf(line) == "JOIN" && line.size() > channel.size()
                && line.compare(line.size() - channel.size(), channel.size(), channel) == 0;
        };
    };
    ASSERT_TRUE(makers[1]->SendLine("JOIN #k7"));
    ASSERT_TRUE(makers[0]->SendLine("JOIN #k1500"));
    ASSERT_TRUE(makers[1]->WaitForLine(joined(":#k7")));
    ASSERT_TRUE(makers[0]->WaitForLine(joined(":#k1500")));

    const std::string config =
        "[Base]\nNick=hladac\n[Servers]\nSiet=127.0.0.1 " + std::to_string(server.Port()) + " 1\n";
    ASSERT_TRUE(StartApp(config));
    m_session = m_app->Sessions().Sessions().front();
    ASSERT_TRUE(WaitFor([&] { return m_session->IsConnected() && !m_session->RegisteredNick().empty(); }));

    // A second search starts a new list rather than adding to the first.
    int lists = 0;
    for (int search = 1; search <= 2; ++search) {
        WhenModalShows<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/search start"), 1);
        ASSERT_TRUE(Search());
        if (search == 1)
            QObject::connect(Search()->ListView()->model(), &QAbstractItemModel::modelReset, [&] { ++lists; });
        ASSERT_TRUE(WaitFor([&] { return lists == search && !Search()->IsRunning(); }, 30000));
        EXPECT_EQ(Search()->TotalCount(), 2000);
        EXPECT_EQ(Search()->Caption(), QStringLiteral("Hľadanie kanálov v sieti Siet, najdených 2000 z 2000 ..."));
    }

    Search()->Bar()->MinimumEdit()->setText(QStringLiteral("2"));
    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"#k1500", "#k7"}));
    EXPECT_EQ(Column(2), (QStringList{"tema 1500", "tema 7"}));
    Search()->Bar()->MinimumEdit()->setText(QStringLiteral("0"));
    QTest::keyClicks(Search()->Bar()->FilterEdit(), QStringLiteral("1999"));
    EXPECT_EQ(Column(0), QStringList{"#k1999"});
    Search()->Bar()->FilterEdit()->clear();
    ClickHeader(1); // users: every row has 1 or 2, descending after the click on the name
    EXPECT_EQ(Column(1).mid(0, 3), (QStringList{"2", "2", "1"}));

    const QString first = Column(0).first();
    SelectRow(first);
    QTest::mouseDClick(Search()->ListView()->viewport(), Qt::LeftButton, {}, RowRect(first).center());
    EXPECT_TRUE(makers[0]->WaitForLine([&](const std::string &line) {
        return line.rfind(":hladac!", 0) == 0 && RawIrcClient::CommandOf(line) == "JOIN"
            && line.find(first.toStdString()) != std::string::npos;
    }));
}

} // namespace
