#pragma once

#include <string>
#include <string_view>
#include <vector>

// How one server counts the parameters of channel modes, and which member
// statuses it has: the CHANMODES and PREFIX tokens of its 005 reply, or the
// usual values while it has announced none.
//
// Defaults: PREFIX "(qaohv)~&@%+" (owner, admin, operator, half-operator,
// voice) and CHANMODES "beI,k,l,imnpst". A status letter always takes a
// parameter (the member's nick); of CHANMODES a list letter (b) and a letter
// of the second kind (k) always, one of the third kind (l) only when set,
// and one of the fourth kind or one nobody announced never.
class ModeRules
{
public:
    // One letter of a mode change with its sign and its parameter (empty
    // when the letter takes none, or when the line had too few).
    struct Change
    {
        bool adding = true;
        char letter = 0;
        std::string parameter;
    };

    ModeRules();
    // The rules of a server that has announced nothing.
    static const ModeRules &Defaults();

    // The value of a PREFIX token, "(qaohv)~&@%+": letters and symbols in
    // the same order, highest status first. An empty value means no
    // statuses. False, with the rules unchanged, for a malformed value.
    bool SetPrefix(std::string_view value);
    // The value of a CHANMODES token, "A,B,C,D" (list modes, modes that
    // always take a parameter, those that take one when set, flags).
    void SetChannelModes(std::string_view value);
    // Back to the defaults (a server that withdraws the token).
    void ResetPrefix();
    void ResetChannelModes();

    // Status letters and their symbols, highest first ("qaohv", "~&@%+").
    const std::string &StatusLetters() const { return m_statusLetters; }
    const std::string &StatusSymbols() const { return m_statusSymbols; }
    // The symbol of a status letter ('o' -> '@'); 0 for any other letter.
    char SymbolOf(char letter) const;
    bool IsStatusSymbol(char c) const;

    bool TakesParameter(char letter, bool adding) const;

    // The letters of a mode string ("+o-b") with the parameters that belong
    // to them, taken in order from the blank-separated words of
    // `parameters` (a leading ':' of a word is not part of it).
    std::vector<Change> Split(std::string_view modes, std::string_view parameters) const;

private:
    std::string m_statusLetters;
    std::string m_statusSymbols;
    std::string m_listModes;        // A
    std::string m_parameterModes;   // B
    std::string m_setParameterModes; // C
};
