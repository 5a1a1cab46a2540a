// The command pop-up that opens above the input line while a command is typed.
#pragma once

#include "input/InputCommandEntries.h"

#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class CommandPopupPanel;

// The command pop-up: a small frameless window, 352 pixels wide and as tall
// as kShownRows whole rows of its list, listing the commands an input line
// can run (the built-in ones and the script procedures of the window) with a
// description panel for the selected one. It never takes the focus; the input
// line drives it with its keys. One instance is shared by every input line
// (Shared()).
class CommandPopup : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kShownRows = 10;

    explicit CommandPopup(QWidget *parent = nullptr);
    ~CommandPopup() override;

    // The pop-up shared by all input lines, created on first use.
    static CommandPopup *Shared();

    // Rebuilds the entries from the command help lines and the script files
    // (relative paths from baseDirectory), keeping the selected name when it
    // is still listed.
    void Rebuild(const std::vector<std::string> &scriptPaths, const std::string &baseDirectory);

    // Selects the first name beginning with prefix (case-insensitive); leaves
    // the selection alone when none does. Returns whether one was found.
    bool SelectPrefix(const std::string &prefix);

    void SelectRow(int row); // -1 clears the selection
    int SelectedRow() const;
    void MoveSelectionUp();
    void MoveSelectionDown();

    // The selected command's name; empty without a selection.
    std::string SelectedName() const;
    // Whether Enter on the typed word (what follows the "/") completes it to
    // the selected command: only when the word is an unfinished beginning of
    // that command and no whole command of the list ("jo" of "join", not
    // "close", nor "rex" with "reguser" selected).
    bool CompletesWord(const std::string &typed) const;

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CommandEntry> &Entries() const { return m_entries; }
    std::string NameAt(int row) const;

    // What the description panel shows: the title (the command name, empty
    // without a selection), the text, and whether the "skript" mark shows.
    std::string PanelTitle() const;
    std::string PanelText() const;
    bool PanelShowsScriptMark() const;

    // Sizes the pop-up to whole rows and puts its bottom left corner at a
    // point of the screen (just above an input line). Where the screen has
    // no room for kShownRows rows above the point it shows fewer, and
    // scrolls; it moves left to stay on the screen.
    void PlaceAbove(const QPoint &globalBottomLeft);

    QListWidget *ListBox() const { return m_list; }
    QWidget *Panel() const;

signals:
    // An entry was double-clicked: the input line takes it like Enter.
    void commandChosen(const QString &name);

private:
    void FillListBox();
    int ListHeightFor(int maxHeight) const;
    void ResizeToList(int listHeight);
    void UpdatePanel();

    QListWidget *m_list = nullptr;
    CommandPopupPanel *m_panel = nullptr;
    std::vector<CommandEntry> m_entries;
};
