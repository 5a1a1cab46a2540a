#include "nicklist/NickListView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include "config/AppSettings.h"
#include "conversation/NickList.h"
#include "nicklist/NickListToolTip.h"
#include "nicklist/NickListDelegate.h"
#include "nicklist/NickListModel.h"
#include "nicklist/UserMenu.h"
#include "widgets/Utf8Text.h"

#include <algorithm>

namespace {

constexpr int kFontPoints = 9;
constexpr int kMinimumChars = 8;
constexpr int kFittedChars = 16;
constexpr int kRightMargin = 4; // between the nick and the scroll bar or the window's edge

QColor FromRgb(uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace

NickListView::NickListView(QWidget *parent)
    : QListView(parent)
    , m_model(new NickListModel(this))
    , m_delegate(new NickListDelegate(this))
    , m_tip(new NickListToolTip(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);                  // the focus belongs to the conversation's input line
    setContextMenuPolicy(Qt::PreventContextMenu); // our own right click, never the window's menu
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    SetListColor(0xCEDFF6);
    SetFontFace("Courier New");

    connect(m_model, &NickListModel::selectedRowChanged, this, &NickListView::FollowSelection);
}

NickListView::~NickListView() = default;

void NickListView::SetNickList(NickList *list)
{
    m_tip->ClearTip();
    m_model->SetNickList(list);
    FollowSelection(list ? list->SelectedIndex() : -1);
}

NickList *NickListView::GetNickList() const
{
    return m_model->GetNickList();
}

void NickListView::ApplySettings(const AppSettings &settings)
{
    SetListColor(settings.m_colorList);
    SetFontFace(settings.m_fontName);
}

void NickListView::SetListColor(uint32_t rgb)
{
    const QColor color = FromRgb(rgb);
    m_delegate->SetListColor(color);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, color); // the empty area below the last member
    viewport()->setPalette(palette);
    viewport()->update();
}

void NickListView::SetFontFace(const std::string &face)
{
    QFont listFont(QString::fromStdString(face), kFontPoints);
    setFont(listFont);
}

void NickListView::SetContactTest(std::function<bool(const std::string &)> test)
{
    m_model->SetContactTest(std::move(test));
}

void NickListView::ContactsChanged()
{
    m_model->ContactsChanged();
}

int NickListView::RowAt(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

int NickListView::MinimumWidth(int height) const
{
    return WidthForText(kMinimumChars * fontMetrics().averageCharWidth(), height);
}

int NickListView::MaximumFittedWidth(int height) const
{
    return WidthForText(kFittedChars * fontMetrics().averageCharWidth(), height);
}

int NickListView::FittedWidth(int height) const
{
    return std::clamp(WidthForText(LongestNickWidth(), height), MinimumWidth(height), MaximumFittedWidth(height));
}

int NickListView::WidthForText(int textWidth, int height) const
{
    const NickList *list = GetNickList();
    const int rows = list ? list->NickCount() : 0;
    const bool scrolls = rows * NickListDelegate::kItemHeight > height - 2 * frameWidth();
    const int scrollBar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
    return 2 * frameWidth() + NickListDelegate::kTextIndent + textWidth + kRightMargin + scrollBar;
}

int NickListView::LongestNickWidth() const
{
    const NickList *list = GetNickList();
    if (!list)
        return 0;
    const QFontMetrics metrics = fontMetrics();
    int longest = 0;
    for (int row = 0; row < list->NickCount(); ++row)
        longest = std::max(longest, metrics.horizontalAdvance(FromUtf8(list->EntryAt(row).Bare())));
    return longest;
}

// The core list keeps the selection; the view only shows it.
void NickListView::FollowSelection(int row)
{
    QItemSelectionModel *selection = selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void NickListView::SelectRowAt(const QPoint &pos)
{
    const int row = RowAt(pos);
    if (row >= 0 && GetNickList())
        GetNickList()->SelectIndex(row);
}

void NickListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        SelectRowAt(event->position().toPoint());
        emit focusToConversation();
    }
    event->accept();
}

void NickListView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::RightButton || !GetNickList())
        return;
    SelectRowAt(event->position().toPoint());
    if (GetNickList()->SelectedIndex() < 0)
        return;
    m_tip->ClearTip();
    const QPoint globalPos = event->globalPosition().toPoint();
    emit userMenuRequested(globalPos);
    if (m_userMenu)
        m_userMenu->PopupWithDefault(globalPos);
}

void NickListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !GetNickList())
        return;
    // The press before a double click may not have reached us (synthetic input).
    SelectRowAt(event->position().toPoint());
    const std::string nick = GetNickList()->SelectedNick();
    if (nick.empty())
        return;
    emit commandRequested(QStringLiteral("/query %1").arg(QString::fromStdString(nick)));
}

void NickListView::mouseMoveEvent(QMouseEvent *event)
{
    UpdateTip(event->position().toPoint(), event->globalPosition().toPoint());
    event->accept();
}

void NickListView::leaveEvent(QEvent *event)
{
    m_tip->ClearTip();
    QListView::leaveEvent(event);
}

void NickListView::hideEvent(QHideEvent *event)
{
    m_tip->ClearTip();
    QListView::hideEvent(event);
}

void NickListView::UpdateTip(const QPoint &pos, const QPoint &globalPos)
{
    const int row = RowAt(pos);
    const NickList *list = GetNickList();
    if (row < 0 || !list) {
        m_tip->ClearTip();
        return;
    }
    const NickEntry &entry = list->EntryAt(row);
    const std::string bare(entry.Bare());
    const std::string text = NickListToolTip::TipText(entry.Status(), entry.IsAway(), m_model->IsContact(bare));
    m_tip->ShowTip(globalPos, QString::fromStdString(bare), QString::fromStdString(text));
}
