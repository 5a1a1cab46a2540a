#include "session/BouncerNicks.h"

bool IsBouncerNick(std::string_view nick)
{
    return nick.size() > 1 && nick[0] == '*';
}

const std::vector<std::string> &BouncerCommandWords()
{
    static const std::vector<std::string> words = {
        "help",          "version",         "listmods",        "listavailmods",  "listnetworks",
        "listservers",   "listchans",       "listnicks",       "listclients",    "listusers",
        "loadmod",       "unloadmod",       "reloadmod",       "addnetwork",     "delnetwork",
        "jumpnetwork",   "addserver",       "delserver",       "jump",           "connect",
        "disconnect",    "attach",          "detach",          "enablechan",     "disablechan",
        "addchan",       "delchan",         "setbuffer",       "clearbuffer",    "clearallbuffers",
        "clearallchannelbuffers", "clearallquerybuffers", "playbuffer", "topics", "uptime",
        "traffic",       "showmotd",        "setbindhost",     "clearbindhost",  "showbindhost",
        "addtrustedserverfingerprint", "deltrustedserverfingerprint", "listtrustedserverfingerprints",
        "shutdown",      "restart",         "broadcast",       "saveconfig",
    };
    return words;
}
