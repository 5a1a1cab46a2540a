#include "input/CommandPopup.h"

#include "commands/CommandHelp.h"
#include "input/CommandPopupPanel.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int kWidth = 352;
constexpr int kBorder = 1;
constexpr int kListWidth = kWidth - 2 * kBorder;
constexpr int kPanelLeft = 100;

} // namespace

CommandPopup::CommandPopup(QWidget *parent)
    // A tool-tip window: shown beside the input line without ever being activated.
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("CommandList"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("CommandPopup { border: 1px solid #808080; }"));

    m_list = new QListWidget(this);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem); // whole rows at every position

    // The panel covers the list's right part; the names stay readable left of it.
    m_panel = new CommandPopupPanel(this);
    ResizeToList(ListHeightFor(QWIDGETSIZE_MAX));

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { UpdatePanel(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { UpdatePanel(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit commandChosen(item->text()); });
    UpdatePanel();
}

CommandPopup::~CommandPopup() = default;

CommandPopup *CommandPopup::Shared()
{
    static CommandPopup *shared = new CommandPopup();
    return shared;
}

void CommandPopup::Rebuild(const std::vector<std::string> &scriptPaths, const std::string &baseDirectory)
{
    const std::string selected = SelectedName();
    m_entries = InputCommandEntries::Build(CommandHelp::Lines(), scriptPaths, baseDirectory);
    FillListBox();
    for (int row = 0; row < Count() && !selected.empty(); ++row) {
        if (m_entries[static_cast<size_t>(row)].name == selected) {
            SelectRow(row);
            break;
        }
    }
    UpdatePanel();
}

void CommandPopup::FillListBox()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const CommandEntry &entry : m_entries)
        m_list->addItem(FromUtf8(entry.name));
    m_list->setCurrentRow(-1);
}

bool CommandPopup::SelectPrefix(const std::string &prefix)
{
    const QString wanted = FromUtf8(prefix);
    for (int row = 0; row < Count(); ++row) {
        if (FromUtf8(m_entries[static_cast<size_t>(row)].name).startsWith(wanted, Qt::CaseInsensitive)) {
            SelectRow(row);
            return true;
        }
    }
    return false;
}

bool CommandPopup::CompletesWord(const std::string &typed) const
{
    const QString word = FromUtf8(typed);
    const QString selected = FromUtf8(SelectedName());
    if (selected.size() <= word.size() || !selected.startsWith(word, Qt::CaseInsensitive))
        return false;
    return std::none_of(m_entries.begin(), m_entries.end(), [&word](const CommandEntry &entry) {
        return FromUtf8(entry.name).compare(word, Qt::CaseInsensitive) == 0;
    });
}

void CommandPopup::SelectRow(int row)
{
    if (row < 0 || row >= Count()) {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    } else {
        m_list->setCurrentRow(row);
        m_list->scrollToItem(m_list->item(row));
    }
    UpdatePanel();
}

int CommandPopup::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void CommandPopup::MoveSelectionUp()
{
    const int row = SelectedRow();
    SelectRow(row <= 0 ? 0 : row - 1);
}

void CommandPopup::MoveSelectionDown()
{
    const int row = SelectedRow();
    SelectRow(row + 1 >= Count() ? Count() - 1 : row + 1);
}

std::string CommandPopup::SelectedName() const
{
    return NameAt(SelectedRow());
}

std::string CommandPopup::NameAt(int row) const
{
    if (row < 0 || row >= Count())
        return {};
    return m_entries[static_cast<size_t>(row)].name;
}

void CommandPopup::PlaceAbove(const QPoint &globalBottomLeft)
{
    QRect screenArea(globalBottomLeft - QPoint(0, QWIDGETSIZE_MAX), globalBottomLeft);
    if (const QScreen *screen = QGuiApplication::screenAt(globalBottomLeft - QPoint(0, 1)))
        screenArea = screen->availableGeometry();
    const int room = globalBottomLeft.y() - screenArea.top() - 2 * kBorder;
    ResizeToList(ListHeightFor(room));
    const int left = std::max(screenArea.left(), std::min(globalBottomLeft.x(), screenArea.right() + 1 - width()));
    move(left, globalBottomLeft.y() - height());
}

// The list's frame and kShownRows rows (fewer when fewer are listed), as many
// whole rows as maxHeight holds, but never less than one.
int CommandPopup::ListHeightFor(int maxHeight) const
{
    const int frame = 2 * m_list->frameWidth();
    const int listed = std::clamp(m_list->count(), 1, kShownRows);
    int height = frame;
    for (int row = 0; row < listed; ++row) {
        const int rowHeight = row < m_list->count() ? m_list->sizeHintForRow(row) : m_list->fontMetrics().height();
        if (row > 0 && height + rowHeight > maxHeight)
            break;
        height += rowHeight;
    }
    return height;
}

void CommandPopup::ResizeToList(int listHeight)
{
    setFixedSize(kWidth, listHeight + 2 * kBorder);
    m_list->setGeometry(kBorder, kBorder, kListWidth, listHeight);
    m_panel->setGeometry(kBorder + kPanelLeft, kBorder, kListWidth - kPanelLeft, listHeight);
}

QWidget *CommandPopup::Panel() const
{
    return m_panel;
}

std::string CommandPopup::PanelTitle() const
{
    return m_panel->Title().toStdString();
}

std::string CommandPopup::PanelText() const
{
    return m_panel->Text().toStdString();
}

bool CommandPopup::PanelShowsScriptMark() const
{
    return m_panel->ShowsScriptMark();
}

void CommandPopup::UpdatePanel()
{
    const int row = SelectedRow();
    if (row < 0) {
        m_panel->SetContent(QString(), QString::fromUtf8(Strings::Get(Str::CommandListHelp)), false);
        return;
    }
    const CommandEntry &entry = m_entries[static_cast<size_t>(row)];
    const QString text = entry.description.empty()
        ? QString::fromUtf8(Strings::Get(Str::NoCommandDescription))
        : FromUtf8(InputCommandEntries::DisplayDescription(entry.description));
    m_panel->SetContent(FromUtf8(entry.name), text, entry.script);
}
