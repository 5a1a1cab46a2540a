#include "input/InputLine.h"

#include "config/Config.h"
#include "input/CommandPopup.h"
#include "input/PasteQuestion.h"
#include "input/SpellChecker.h"
#include "input/SpellHighlighter.h"
#include "text/Colors.h"
#include "text/SpellWords.h"
#include "widgets/Utf8Text.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

std::string ToUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

uint32_t BrushColor(const QBrush &brush, uint32_t fallback)
{
    if (brush.style() == Qt::NoBrush)
        return fallback;
    return brush.color().rgb() & 0xFFFFFF;
}

QColor ToColor(uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// Characters a document may hold that never belong on an IRC line: line and
// paragraph separators, embedded objects, control characters.
bool IsForeignCharacter(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
        || c == QChar::ObjectReplacementCharacter;
}

QString WithoutForeignCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!IsForeignCharacter(c))
            out += c;
    }
    return out;
}

std::string JoinedLines(const std::vector<std::string> &lines)
{
    std::string joined;
    for (const std::string &line : lines)
        joined += (joined.empty() ? "" : " ") + line;
    return joined;
}

// text cut to at most room UTF-16 units without splitting a surrogate pair.
QString CutToRoom(const QString &text, int room)
{
    if (room <= 0)
        return QString();
    if (text.size() <= room)
        return text;
    qsizetype end = room;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

bool IsBold(const QTextCharFormat &format)
{
    return format.fontWeight() > QFont::Normal;
}

bool IsUnderlined(const QTextCharFormat &format)
{
    return format.fontUnderline();
}

} // namespace

InputLine::InputLine(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("ChannelCmd"));
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setAcceptRichText(false);
    setFixedHeight(kHeight);
    document()->setDocumentMargin(2);
    SetCommandList(CommandPopup::Shared());
    ClearLine();
}

InputLine::~InputLine()
{
    HidePopup();
}

// ---- IRC text ---------------------------------------------------------------

std::string InputLine::GetTextWithCodes() const
{
    return InputCodes::GetTextWithCodes(Runs(), m_windowColor);
}

InputRuns InputLine::Runs() const
{
    InputRuns runs;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            InputRun run;
            run.text = ToUtf8(WithoutForeignCharacters(fragment.text()));
            run.format.color = BrushColor(format.foreground(), kBlack);
            run.format.background = BrushColor(format.background(), m_windowColor);
            run.format.bold = IsBold(format);
            run.format.underline = IsUnderlined(format);
            runs.push_back(std::move(run));
        }
    }
    return runs;
}

void InputLine::SetTextWithCodes(const std::string &text)
{
    const InputRuns runs = InputCodes::SetTextWithCodes(text, m_windowColor);
    ClearLine();
    QTextCursor cursor(document());
    int room = kMaxLength;
    for (const InputRun &run : runs) {
        const QString part = CutToRoom(FromUtf8(run.text), room);
        if (part.isEmpty())
            break;
        cursor.insertText(part, FormatOf(run.format));
        room -= static_cast<int>(part.size());
    }
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

void InputLine::ClearLine()
{
    clear();
    const QTextCharFormat format = DefaultFormat();
    QTextCursor cursor(document());
    cursor.setCharFormat(format);
    setTextCursor(cursor);
    setCurrentCharFormat(format);
}

std::string InputLine::PlainLine() const
{
    return ToUtf8(toPlainText());
}

QTextCharFormat InputLine::FormatOf(const InputCharFormat &format) const
{
    QTextCharFormat out;
    out.setForeground(ToColor(format.color));
    out.setBackground(ToColor(format.background));
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontUnderline(format.underline);
    if (!m_fontFace.isEmpty())
        out.setFontFamilies({m_fontFace});
    return out;
}

QTextCharFormat InputLine::DefaultFormat() const
{
    InputCharFormat plain;
    plain.background = m_windowColor;
    return FormatOf(plain);
}

void InputLine::SetWindowColor(uint32_t rgb)
{
    m_windowColor = rgb & 0xFFFFFF;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, ToColor(m_windowColor));
    setPalette(palette);
    if (document()->isEmpty())
        ClearLine();
}

void InputLine::SetFontFace(const std::string &face)
{
    m_fontFace = FromUtf8(face);
    QFont font = this->font();
    font.setFamilies({m_fontFace});
    setFont(font);
    if (document()->isEmpty())
        ClearLine();
}

// ---- length limit -----------------------------------------------------------

int InputLine::Length() const
{
    return document()->characterCount() - 1; // without the closing paragraph separator
}

int InputLine::RoomLeft() const
{
    const QTextCursor cursor = textCursor();
    return kMaxLength - Length() + (cursor.selectionEnd() - cursor.selectionStart());
}

void InputLine::InsertLimited(const QString &text)
{
    const QString part = CutToRoom(text, RoomLeft());
    if (!part.isEmpty())
        textCursor().insertText(part);
}

bool InputLine::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

// Control bytes of a pasted text are dropped, so nothing the user does not
// see is sent. A text of one line is inserted; one of several lines is sent
// only when the user says so, else joined into one line (line breaks become
// blanks) or dropped.
void InputLine::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    const std::string text = ToUtf8(source->text());
    const std::vector<std::string> lines = InputCodes::PastedLines(text);
    if (lines.size() < 2) {
        InsertLimited(WithoutForeignCharacters(FromUtf8(InputCodes::CleanPastedText(text))));
        return;
    }
    switch (PasteQuestion::Ask(this, static_cast<int>(lines.size()))) {
    case PasteQuestion::Answer::SendLines:
        SendPastedLines(lines);
        break;
    case PasteQuestion::Answer::JoinLines:
        InsertLimited(WithoutForeignCharacters(FromUtf8(JoinedLines(lines))));
        break;
    case PasteQuestion::Answer::Cancel:
        break;
    }
}

// Each line goes as if typed and entered, the line being typed stays; the
// session paces them. A line may close the window (a pasted "/close").
void InputLine::SendPastedLines(const std::vector<std::string> &lines)
{
    const QPointer<InputLine> alive(this);
    for (const std::string &line : lines) {
        emit lineEntered(WithoutForeignCharacters(FromUtf8(line)));
        if (!alive)
            return;
    }
}

void InputLine::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = WithoutForeignCharacters(event->commitString());
    if (commit == event->commitString()) {
        QTextEdit::inputMethodEvent(event);
    } else {
        QInputMethodEvent cleaned(event->preeditString(), event->attributes());
        cleaned.setCommitString(commit, event->replacementStart(), event->replacementLength());
        QTextEdit::inputMethodEvent(&cleaned);
    }
    TrimOverflow();
}

// Whatever was just typed beyond the limit goes again: it sits right before
// the caret. The removal joins the typing's undo step.
void InputLine::TrimOverflow()
{
    const int excess = Length() - kMaxLength;
    if (excess <= 0)
        return;
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    const int end = cursor.position();
    const int start = end >= excess ? end - excess : 0;
    cursor.joinPreviousEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(start + excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    setTextCursor(cursor);
}

// ---- keys -------------------------------------------------------------------

bool InputLine::IsOwnKey(const QKeyEvent *event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_B:
    case Qt::Key_U:
    case Qt::Key_P:
    case Qt::Key_I:
    case Qt::Key_K:
    case Qt::Key_L:
        return modifiers == Qt::ControlModifier;
    default:
        return false;
    }
}

bool InputLine::event(QEvent *event)
{
    // Our keys win over shortcuts of the windows around the input line.
    if (event->type() == QEvent::ShortcutOverride && IsOwnKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QTextEdit::event(event);
}

bool InputLine::HandleStyleKey(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_B:
        ToggleBold();
        return true;
    case Qt::Key_U:
        ToggleUnderline();
        return true;
    case Qt::Key_P:
        SetPlainStyle();
        return true;
    case Qt::Key_I:
        SetInverseStyle();
        return true;
    case Qt::Key_K:
        emit textColorMenuRequested();
        return true;
    case Qt::Key_L:
        emit backgroundColorMenuRequested();
        return true;
    default:
        return false;
    }
}

void InputLine::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Enter();
        event->accept();
        return;
    case Qt::Key_Up:
        if (IsPopupShown())
            m_commandList->MoveSelectionUp();
        else
            HistoryOlder();
        event->accept();
        return;
    case Qt::Key_Down:
        if (IsPopupShown())
            m_commandList->MoveSelectionDown();
        else
            HistoryNewer();
        event->accept();
        return;
    case Qt::Key_Tab:
        Complete();
        event->accept();
        return;
    case Qt::Key_Escape:
        HidePopup();
        event->accept();
        return;
    default:
        break;
    }
    if (HandleStyleKey(event)) {
        event->accept();
        return;
    }
    m_completion.Reset();
    QTextEdit::keyPressEvent(event);
    TrimOverflow();
    UpdatePopup();
}

void InputLine::Enter()
{
    if (IsPopupShown()) {
        // The pop-up shows only while the line is "/" and one word.
        if (m_commandList->CompletesWord(ToUtf8(toPlainText().mid(1)))) {
            ApplyChosenCommand(FromUtf8(m_commandList->SelectedName()));
            return;
        }
        HidePopup();
    }
    m_completion.Reset();
    const std::string line = GetTextWithCodes();
    ClearLine();
    if (line.empty())
        return;
    m_history.Add(line);
    emit lineEntered(FromUtf8(line));
}

void InputLine::HistoryOlder()
{
    m_completion.Reset();
    SetTextWithCodes(m_history.Older());
}

void InputLine::HistoryNewer()
{
    m_completion.Reset();
    SetTextWithCodes(m_history.Newer());
}

int InputLine::CaretCharacters() const
{
    const int position = textCursor().position();
    return static_cast<int>(toPlainText().left(position).toUcs4().size());
}

void InputLine::Complete()
{
    if (!m_completionSource)
        return;
    InputCompletion::Line line;
    line.plain = PlainLine();
    line.codes = GetTextWithCodes();
    line.caret = CaretCharacters();
    InputCompletion::Line result;
    if (m_completion.Complete(*m_completionSource, line, result))
        SetTextWithCodes(result.codes);
}

// ---- command pop-up ---------------------------------------------------------

void InputLine::SetCommandList(CommandPopup *list)
{
    if (m_commandList == list)
        return;
    HidePopup();
    if (m_commandList)
        disconnect(m_commandList, nullptr, this, nullptr);
    m_commandList = list;
    if (m_commandList) {
        connect(m_commandList, &CommandPopup::commandChosen, this, [this](const QString &name) {
            if (IsPopupShown())
                ApplyChosenCommand(name);
        });
        connect(m_commandList, &QObject::destroyed, this, [this] {
            m_commandList = nullptr;
            m_ownsPopup = false;
        });
    }
}

void InputLine::SetScriptFilesProvider(ScriptFilesProvider provider, const std::string &baseDirectory)
{
    m_scriptFiles = std::move(provider);
    m_scriptBase = baseDirectory;
}

void InputLine::SetScriptFiles(const std::vector<std::string> &paths, const std::string &baseDirectory)
{
    SetScriptFilesProvider([paths] { return paths; }, baseDirectory);
}

bool InputLine::IsPopupShown() const
{
    return m_ownsPopup && m_commandList && m_commandList->isVisible();
}

void InputLine::UpdatePopup()
{
    if (!m_commandList)
        return;
    const QString text = toPlainText();
    const bool commandName =
        text.startsWith(QLatin1Char('/')) && !text.startsWith(QStringLiteral("//")) && !text.contains(QLatin1Char(' '));
    if (!commandName) {
        HidePopup();
        return;
    }
    const std::vector<std::string> scripts = m_scriptFiles ? m_scriptFiles() : std::vector<std::string>();
    m_commandList->Rebuild(scripts, m_scriptBase.empty() ? ResourceDirectory() : m_scriptBase);
    m_commandList->SelectPrefix(ToUtf8(text.mid(1)));
    const QRect caret = cursorRect();
    m_commandList->PlaceAbove(mapToGlobal(QPoint(caret.x() + 40, 0)));
    m_ownsPopup = true;
    if (!m_commandList->isVisible())
        m_commandList->show();
    m_commandList->raise();
}

void InputLine::HidePopup()
{
    if (m_ownsPopup && m_commandList)
        m_commandList->hide();
    m_ownsPopup = false;
}

void InputLine::ApplyChosenCommand(const QString &name)
{
    SetTextWithCodes("/" + ToUtf8(name) + " ");
    HidePopup();
    m_completion.Reset();
}

void InputLine::focusOutEvent(QFocusEvent *event)
{
    // The pop-up never takes the focus, so losing it means going elsewhere.
    HidePopup();
    QTextEdit::focusOutEvent(event);
}

void InputLine::contextMenuEvent(QContextMenuEvent *event)
{
    m_clickedMisspelling = event->reason() == QContextMenuEvent::Mouse ? MisspellingAt(event->pos()) : Misspelling{};
    emit editMenuRequested(event->globalPos());
    event->accept();
}

// ---- styles -----------------------------------------------------------------

void InputLine::MergeFormat(const QTextCharFormat &format)
{
    mergeCurrentCharFormat(format);
}

bool InputLine::SelectionHas(bool (*test)(const QTextCharFormat &)) const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return test(currentCharFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentEnd = fragment.position() + fragment.length();
            if (fragmentEnd <= start || fragment.position() >= end)
                continue;
            if (!test(fragment.charFormat()))
                return false;
        }
    }
    return true;
}

bool InputLine::IsSelectionBold() const
{
    return SelectionHas(IsBold);
}

bool InputLine::IsSelectionUnderlined() const
{
    return SelectionHas(IsUnderlined);
}

void InputLine::ToggleBold()
{
    QTextCharFormat format;
    format.setFontWeight(IsSelectionBold() ? QFont::Normal : QFont::Bold);
    MergeFormat(format);
}

void InputLine::ToggleUnderline()
{
    QTextCharFormat format;
    format.setFontUnderline(!IsSelectionUnderlined());
    MergeFormat(format);
}

void InputLine::SetPlainStyle()
{
    InputCharFormat plain;
    plain.color = kBlack;
    plain.background = kWhite;
    MergeFormat(FormatOf(plain));
}

void InputLine::SetInverseStyle()
{
    InputCharFormat inverse;
    inverse.color = kWhite;
    inverse.background = kBlack;
    MergeFormat(FormatOf(inverse));
}

void InputLine::SetTextColorIndex(int index)
{
    QTextCharFormat format;
    format.setForeground(ToColor(IndexToColor(index)));
    MergeFormat(format);
}

void InputLine::SetBackgroundColorIndex(int index)
{
    QTextCharFormat format;
    format.setBackground(ToColor(IndexToColor(index)));
    MergeFormat(format);
}

// ---- spelling ---------------------------------------------------------------

void InputLine::SetSpellChecker(SpellChecker *checker)
{
    if (checker == m_spellChecker)
        return;
    if (m_spellChecker)
        disconnect(m_spellChecker, nullptr, this, nullptr);
    delete m_spellHighlighter;
    m_spellHighlighter = nullptr;
    m_spellChecker = checker;
    if (!checker)
        return;
    m_spellHighlighter =
        new SpellHighlighter(document(), checker, [this](const QString &word) { return IsWindowNick(word); });
    connect(checker, &SpellChecker::changed, m_spellHighlighter, &QSyntaxHighlighter::rehighlight);
}

InputLine::Misspelling InputLine::MisspellingAt(const QPoint &pos) const
{
    if (!m_spellChecker || !m_spellChecker->IsActive())
        return {};
    const int at = cursorForPosition(pos).position();
    const QString line = toPlainText();
    for (const SpellWord &word : SpellWords(line, [this](const QString &text) { return IsWindowNick(text); })) {
        if (at < word.start || at > word.start + word.length)
            continue;
        const QString text = line.mid(word.start, word.length);
        if (m_spellChecker->IsMisspelt(text))
            return {word.start, word.length, text};
    }
    return {};
}

bool InputLine::IsWindowNick(const QString &word) const
{
    return m_completionSource && m_completionSource->HasNick(ToUtf8(word));
}

InputLine::Misspelling InputLine::TakeClickedMisspelling()
{
    return std::exchange(m_clickedMisspelling, Misspelling{});
}

void InputLine::ReplaceMisspelling(const Misspelling &misspelling, const QString &replacement)
{
    if (!misspelling.IsValid() || toPlainText().mid(misspelling.start, misspelling.length) != misspelling.word)
        return;
    QTextCursor cursor(document());
    cursor.setPosition(misspelling.start + 1);
    const QTextCharFormat format = cursor.charFormat();
    cursor.setPosition(misspelling.start);
    cursor.setPosition(misspelling.start + misspelling.length, QTextCursor::KeepAnchor);
    cursor.insertText(replacement, format);
    setTextCursor(cursor);
    TrimOverflow();
}

void InputLine::AddToDictionary(const QString &word)
{
    if (m_spellChecker)
        m_spellChecker->AddToDictionary(word);
}
