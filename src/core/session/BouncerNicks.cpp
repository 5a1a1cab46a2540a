#include "session/BouncerNicks.h"

#include "text/Words.h"

bool IsBouncerNick(std::string_view nick)
{
    return nick.size() > 1 && nick[0] == '*';
}

const std::vector<std::string> &BouncerCommandWords()
{
    static const std::vector<std::string> words = [] {
        const std::string list =
            "help version listmods listavailmods listnetworks listservers listchans listnicks listclients listusers "
            "loadmod unloadmod reloadmod addnetwork delnetwork jumpnetwork addserver delserver jump connect "
            "disconnect attach detach enablechan disablechan addchan delchan setbuffer clearbuffer clearallbuffers "
            "clearallchannelbuffers clearallquerybuffers playbuffer topics uptime traffic showmotd setbindhost "
            "clearbindhost showbindhost addtrustedserverfingerprint deltrustedserverfingerprint "
            "listtrustedserverfingerprints shutdown restart broadcast saveconfig";
        std::vector<std::string> split;
        for (int i = 1, count = CountWords(list); i <= count; ++i)
            split.push_back(GetWord(list, i));
        return split;
    }();
    return words;
}
