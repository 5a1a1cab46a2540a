// The input line of a conversation window.
#pragma once

#include "input/InputCodes.h"
#include "input/InputCompletion.h"
#include "input/InputHistory.h"

#include <QTextEdit>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CommandPopup;
class SpellChecker;
class SpellHighlighter;

// The input line of a conversation window: a one-line rich-text editor of at
// most 512 characters whose colours, bold and underline become IRC
// formatting bytes when the line is sent. It keeps the history of sent lines
// (Up, Down), completes with Tab through a CompletionSource, and drives the
// shared command pop-up while a command name is typed.
class InputLine : public QTextEdit
{
    Q_OBJECT

public:
    static constexpr int kMaxLength = 512;
    static constexpr int kHeight = 20;

    explicit InputLine(QWidget *parent = nullptr);
    ~InputLine() override;

    // The line as IRC text with formatting bytes.
    std::string GetTextWithCodes() const;
    // Replaces the line by IRC text, its formatting bytes turned into formats.
    // The caret goes to the end.
    void SetTextWithCodes(const std::string &text);
    // Empties the line and resets the typing format (black on the window colour).
    void ClearLine();
    // The visible text.
    std::string PlainLine() const;

    // Background of an unformatted line (the window colour), 0xRRGGBB.
    void SetWindowColor(uint32_t rgb);
    // The "Font" setting's face.
    void SetFontFace(const std::string &face);

    // Tab completion asks this source; without one Tab does nothing.
    void SetCompletionSource(const CompletionSource *source) { m_completionSource = source; }
    // The script files loaded in the window (their "proc /name" lines join
    // the pop-up), asked for every time the pop-up is updated; relative paths
    // are taken from baseDirectory (empty: the program's folder, ExeDirectory).
    using ScriptFilesProvider = std::function<std::vector<std::string>()>;
    void SetScriptFilesProvider(ScriptFilesProvider provider, const std::string &baseDirectory = {});
    // The same with a fixed list.
    void SetScriptFiles(const std::vector<std::string> &paths, const std::string &baseDirectory = {});
    // The pop-up to drive; by default CommandPopup::Shared().
    void SetCommandList(CommandPopup *list);
    CommandPopup *CommandList() const { return m_commandList; }

    // Misspelt words are underlined as this checker says (null: none);
    // nicks of the completion source's window never are.
    void SetSpellChecker(SpellChecker *checker);
    SpellChecker *Speller() const { return m_spellChecker; }
    // A misspelt word of the line: where it is (characters) and the word.
    struct Misspelling
    {
        int start = -1;
        int length = 0;
        QString word;
        bool IsValid() const { return start >= 0; }
    };
    // The misspelt word at a point of the widget, if any.
    Misspelling MisspellingAt(const QPoint &pos) const;
    // The misspelt word a right click was on, for the menu it opens; asked
    // once (the next menu opened otherwise has none).
    Misspelling TakeClickedMisspelling();
    // Puts replacement in place of the misspelt word (when it is still
    // there), in the word's format.
    void ReplaceMisspelling(const Misspelling &misspelling, const QString &replacement);
    // The word goes into the user's dictionary; no longer underlined anywhere.
    void AddToDictionary(const QString &word);

    InputHistory &History() { return m_history; }
    const InputHistory &History() const { return m_history; }

    // Style commands on the selection (or, without one, on what is typed next).
    void ToggleBold();
    void ToggleUnderline();
    void SetPlainStyle();                    // black on white, bold and underline off
    void SetInverseStyle();                  // white on black, bold and underline off
    void SetTextColorIndex(int index);       // IndexToColor(index)
    void SetBackgroundColorIndex(int index); // IndexToColor(index)
    bool IsSelectionBold() const;
    bool IsSelectionUnderlined() const;

    // Runs Enter: completes a command from the pop-up or sends the line.
    void Enter();

signals:
    // Enter on a non-empty line: the line with formatting bytes. The input
    // line is already empty and the line is in the history. Also each line
    // of a paste the user chose to send as lines (neither emptied nor kept
    // in the history then).
    void lineEntered(const QString &textWithCodes);
    // Ctrl+K / Ctrl+L: the window pops up the text or background colour menu
    // above its style button.
    void textColorMenuRequested();
    void backgroundColorMenuRequested();
    // Right button: the editing menu at a global position.
    void editMenuRequested(const QPoint &globalPos);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool HandleStyleKey(QKeyEvent *event);
    bool IsPopupShown() const;
    bool IsOwnKey(const QKeyEvent *event) const;
    int CaretCharacters() const;
    QTextCharFormat FormatOf(const InputCharFormat &format) const;
    void HistoryOlder();
    void HistoryNewer();
    void Complete();
    void UpdatePopup();
    void HidePopup();
    void ApplyChosenCommand(const QString &name);
    void InsertLimited(const QString &text);
    void SendPastedLines(const std::vector<std::string> &lines);
    bool IsWindowNick(const QString &word) const;
    void TrimOverflow();
    int Length() const;
    int RoomLeft() const;
    InputRuns Runs() const;
    QTextCharFormat DefaultFormat() const;
    void MergeFormat(const QTextCharFormat &format);
    bool SelectionHas(bool (*test)(const QTextCharFormat &)) const;

    uint32_t m_windowColor = 0xFFFFFF;
    QString m_fontFace;
    const CompletionSource *m_completionSource = nullptr;
    CommandPopup *m_commandList = nullptr;
    ScriptFilesProvider m_scriptFiles;
    std::string m_scriptBase;
    InputHistory m_history;
    InputCompletion m_completion;
    bool m_ownsPopup = false;
    SpellChecker *m_spellChecker = nullptr;
    SpellHighlighter *m_spellHighlighter = nullptr;
    Misspelling m_clickedMisspelling;
};
