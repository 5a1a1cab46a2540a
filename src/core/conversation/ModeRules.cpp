#include "conversation/ModeRules.h"

#include "text/Words.h"

namespace {

const char *const kDefaultPrefix = "(qaohv)~&@%+";
const char *const kDefaultChannelModes = "beI,k,l,imnpst";

bool Contains(const std::string &letters, char c)
{
    return c != 0 && letters.find(c) != std::string::npos;
}

// The field of a comma-separated list; empty when there are fewer fields.
std::string Field(std::string_view list, int index)
{
    for (int i = 0; i < index; ++i) {
        const size_t comma = list.find(',');
        if (comma == std::string_view::npos)
            return {};
        list.remove_prefix(comma + 1);
    }
    return std::string(list.substr(0, list.find(',')));
}

} // namespace

ModeRules::ModeRules()
{
    ResetPrefix();
    ResetChannelModes();
}

void ModeRules::ResetPrefix()
{
    SetPrefix(kDefaultPrefix);
}

void ModeRules::ResetChannelModes()
{
    SetChannelModes(kDefaultChannelModes);
}

const ModeRules &ModeRules::Defaults()
{
    static const ModeRules defaults;
    return defaults;
}

bool ModeRules::SetPrefix(std::string_view value)
{
    if (value.empty()) {
        m_statusLetters.clear();
        m_statusSymbols.clear();
        return true;
    }
    const size_t close = value.find(')');
    if (value.front() != '(' || close == std::string_view::npos)
        return false;
    const std::string_view letters = value.substr(1, close - 1);
    const std::string_view symbols = value.substr(close + 1);
    if (letters.size() != symbols.size())
        return false;
    m_statusLetters = std::string(letters);
    m_statusSymbols = std::string(symbols);
    return true;
}

void ModeRules::SetChannelModes(std::string_view value)
{
    m_listModes = Field(value, 0);
    m_parameterModes = Field(value, 1);
    m_setParameterModes = Field(value, 2);
}

char ModeRules::SymbolOf(char letter) const
{
    const size_t at = letter ? m_statusLetters.find(letter) : std::string::npos;
    return at == std::string::npos ? 0 : m_statusSymbols[at];
}

bool ModeRules::IsStatusSymbol(char c) const
{
    return Contains(m_statusSymbols, c);
}

bool ModeRules::TakesParameter(char letter, bool adding) const
{
    if (Contains(m_statusLetters, letter) || Contains(m_listModes, letter) || Contains(m_parameterModes, letter))
        return true;
    return adding && Contains(m_setParameterModes, letter);
}

std::vector<ModeRules::Change> ModeRules::Split(std::string_view modes, std::string_view parameters) const
{
    std::vector<Change> changes;
    bool adding = true;
    int next = 1;
    for (char letter : modes) {
        if (letter == '+' || letter == '-') {
            adding = letter == '+';
            continue;
        }
        Change change{adding, letter, std::string()};
        if (TakesParameter(letter, adding))
            change.parameter = StripColon(GetWord(parameters, next++));
        changes.push_back(std::move(change));
    }
    return changes;
}
