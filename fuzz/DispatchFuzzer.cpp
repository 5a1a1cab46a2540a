// libFuzzer target: arbitrary bytes as a burst of server lines for one
// registered session (with the IRCv3 capabilities on), through the message
// tag parser, DispatchServerLine and every window's formatting path. After
// each input the session must still answer a PING.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzShell.h"
#include "FuzzView.h"
#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/IgnoreList.h"
#include "session/MessageTags.h"
#include "session/ServerEncoding.h"
#include "session/Session.h"
#include "session/SessionTable.h"

namespace {

constexpr int kInputsPerSession = 400;
constexpr size_t kMaxWindows = 200;

struct World
{
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QTemporaryDir> configDir;
    std::unique_ptr<FuzzShell> shell;
    CommandDispatcher commands;
    std::unique_ptr<SessionTable> table;
    Session *session = nullptr;
    int inputs = 0;
};

// Never destroyed: at exit Qt's own globals are gone before ours would be.
World &TheWorld()
{
    static World *world = new World;
    return *world;
}

void WriteSettings()
{
    WriteBool(kBaseSection, "Show Ping", true);
    WriteBool(kBaseSection, "Open Query Window", true);
    WriteString(kBaseSection, "Msgs Join", "ahoj");
    WriteString("Address Book", "ann", "3 * *");
    WriteString("Channels Group 127.0.0.1", "#fav", "x 1");
}

// A fresh session, registered as "me", with a channel it is in.
void NewSession(World &world)
{
    if (world.table && world.session)
        world.table->CloseSession(world.session->Key());
    if (world.shell)
        world.shell->Collect();
    // Port 9 of 127.0.0.1: nothing listens and no event loop runs, so the
    // session stays unconnected and everything it sends waits in its queue.
    world.session = world.table->CreateSession("127.0.0.1", 9, std::string());
    world.session->SetCtcpClock([] { return int64_t(0); }); // answers come from the burst only
    world.session->DispatchServerLine(":irc.test CAP * LS :multi-prefix server-time away-notify account-notify "
                                      "extended-join chghost cap-notify echo-message message-tags");
    world.session->DispatchServerLine(":irc.test CAP * ACK :multi-prefix server-time away-notify account-notify "
                                      "extended-join chghost cap-notify echo-message message-tags");
    world.session->DispatchServerLine(":irc.test 001 me :Welcome");
    world.session->DispatchServerLine(":me!u@h JOIN #c");
    world.session->DispatchServerLine(":irc.test 353 me = #c :@me +ann bob");
    IgnoreList::Add(world.session->Ignores(), "ignored.sk", IgnoreList::Everything, 0, 0);
    world.session->AddPropertySheet("ann");
    world.inputs = 0;
}

void Initialise()
{
    World &world = TheWorld();
    static int argc = 1;
    static char name[] = "fuzz_dispatch";
    static char *argv[] = {name, nullptr};
    world.app = std::make_unique<QCoreApplication>(argc, argv);
    world.configDir = std::make_unique<QTemporaryDir>();
    SetConfigDirectory(world.configDir->path().toStdString());
    WriteSettings();
    world.shell = std::make_unique<FuzzShell>();
    world.table = std::make_unique<SessionTable>(world.shell.get(), world.commands);
    NewSession(world);
}

// The tag parser on its own: what it returns is the end of the line, and
// it keeps no more than its bounds.
void CheckTags(const std::string &line)
{
    MessageTags tags;
    const std::string_view rest = MessageTags::Split(line, tags);
    if (rest.size() > line.size() || line.compare(line.size() - rest.size(), rest.size(), rest) != 0)
        std::abort();
    const bool tagged = !line.empty() && line[0] == '@';
    if (tags.Count() > MessageTags::MaxTags || (!tagged && !tags.IsEmpty()))
        std::abort();
    (void)tags.ServerTime();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    World &world = TheWorld();
    if (!world.app)
        Initialise();
    if (++world.inputs > kInputsPerSession || world.session->Windows().size() > kMaxWindows)
        NewSession(world);

    // The first byte switches a few session fields, the rest are lines.
    if (size > 0) {
        world.session->RouteWhoisReplies(data[0] & 2, data[0] & 1);
        ++data;
        --size;
    }
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        CheckTags(line);
        world.session->DispatchServerLine(ServerLineToUtf8(line));
        start = end + 1;
    }

    world.session->FlushWaitingLines();
    world.session->DispatchServerLine("PING :alive");
    const auto &waiting = world.session->WaitingLines();
    if (waiting.empty() || waiting.back() != "PONG alive\r\n")
        std::abort(); // the session stopped answering
    return 0;
}
