#include "input/CommandList.h"

#include "commands/CommandHelp.h"
#include "config/Strings.h"
#include "input/InputCommandPanel.h"
#include "widgets/Utf8Text.h"

#include <QListWidget>

namespace {

constexpr int kWidth = 352;
constexpr int kHeight = 152;
constexpr int kListWidth = 350;
constexpr int kListHeight = 150;
constexpr int kPanelLeft = 100;

} // namespace

CCommandList::CCommandList(QWidget *parent)
    // A tool-tip window: shown beside the input line without ever being activated.
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("CommandList"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("CCommandList { border: 1px solid #808080; }"));

    m_list = new QListWidget(this);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setGeometry(1, 1, kListWidth, kListHeight);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // The panel covers the list's right part; the names stay readable left of it.
    m_panel = new CInputCommandPanel(this);
    m_panel->setGeometry(1 + kPanelLeft, 1, kListWidth - kPanelLeft, kListHeight);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { UpdatePanel(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { UpdatePanel(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit commandChosen(item->text()); });
    UpdatePanel();
}

CCommandList::~CCommandList() = default;

CCommandList *CCommandList::Shared()
{
    static CCommandList *shared = new CCommandList();
    return shared;
}

void CCommandList::Rebuild(const std::vector<std::string> &scriptPaths, const std::string &baseDirectory)
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

void CCommandList::FillListBox()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const CommandEntry &entry : m_entries)
        m_list->addItem(FromUtf8(entry.name));
    m_list->setCurrentRow(-1);
}

bool CCommandList::SelectPrefix(const std::string &prefix)
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

void CCommandList::SelectRow(int row)
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

int CCommandList::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void CCommandList::MoveSelectionUp()
{
    const int row = SelectedRow();
    SelectRow(row <= 0 ? 0 : row - 1);
}

void CCommandList::MoveSelectionDown()
{
    const int row = SelectedRow();
    SelectRow(row + 1 >= Count() ? Count() - 1 : row + 1);
}

std::string CCommandList::SelectedName() const
{
    return NameAt(SelectedRow());
}

std::string CCommandList::NameAt(int row) const
{
    if (row < 0 || row >= Count())
        return {};
    return m_entries[static_cast<size_t>(row)].name;
}

QWidget *CCommandList::Panel() const
{
    return m_panel;
}

std::string CCommandList::PanelTitle() const
{
    return m_panel->Title().toStdString();
}

std::string CCommandList::PanelText() const
{
    return m_panel->Text().toStdString();
}

bool CCommandList::PanelShowsScriptMark() const
{
    return m_panel->ShowsScriptMark();
}

void CCommandList::UpdatePanel()
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
