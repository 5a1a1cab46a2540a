#include "windows/ChildWindow.h"

#include "config/Config.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <cstdlib>

namespace {

bool IsOnWord(const std::string &word)
{
    return word == "1" || EqualIgnoringAsciiCase(word, "true");
}

const char *TrueFalse(bool on)
{
    return on ? "True" : "False";
}

// Without a saved placement a new window takes three quarters of the area,
// at least a size in which every pane fits.
QSize DefaultSize(const QSize &area)
{
    return (area * 3 / 4).expandedTo(ChildWindow::kUsableSize);
}

} // namespace

ChildWindow::Record ChildWindow::Record::Parse(const std::string &value)
{
    Record record;
    const int words = CountWords(value);
    record.m_maximize = GetWord(value, 1) == "1";
    if (words >= 5) {
        record.m_hasPosition = true;
        record.m_normal = QRect(std::atoi(GetWord(value, 2).c_str()), std::atoi(GetWord(value, 3).c_str()),
                                std::atoi(GetWord(value, 4).c_str()), std::atoi(GetWord(value, 5).c_str()));
    }
    if (words < 10)
        return record;
    record.m_nickListWidth = std::atoi(GetWord(value, 6).c_str());
    record.m_timeStamps = IsOnWord(GetWord(value, 7));
    record.m_fullAddress = IsOnWord(GetWord(value, 8));
    record.m_smileys = IsOnWord(GetWord(value, 9));
    record.m_showAway = IsOnWord(GetWord(value, 10));
    return record;
}

std::string ChildWindow::Record::Format(bool maximized) const
{
    return StrPrintf("%s %d %d %d %d %d %s %s %s %s", TrueFalse(maximized), m_normal.left(), m_normal.top(),
                     m_normal.width(), m_normal.height(), m_nickListWidth, TrueFalse(m_timeStamps),
                     TrueFalse(m_fullAddress), TrueFalse(m_smileys), TrueFalse(m_showAway));
}

ChildWindow::ChildWindow(const std::string &sessionName, const std::string &windowName, QWidget *parent)
    : QWidget(parent), m_sessionName(sessionName), m_windowName(windowName)
{}

ChildWindow::~ChildWindow() = default;

QString ChildWindow::SessionName() const
{
    return QString::fromStdString(m_sessionName);
}

QString ChildWindow::WindowName() const
{
    return QString::fromStdString(m_windowName);
}

QString ChildWindow::ButtonToolTip() const
{
    return windowTitle();
}

QMdiSubWindow *ChildWindow::PlaceIn(QMdiArea *area, const Record &record)
{
    QMdiSubWindow *active = area->activeSubWindow();
    const bool maximize = record.m_maximize || (active && active->isMaximized());
    QMdiSubWindow *child = area->addSubWindow(this);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->installEventFilter(this);
    // Before the window is shown: showing activates it, and the frame picks
    // the widget that gets the keyboard then, not the area.
    connect(child, &QMdiSubWindow::aboutToActivate, this, &ChildWindow::Activated);
    const bool placed = record.m_hasPosition && record.m_normal.width() > 0 && record.m_normal.height() > 0;
    if (placed)
        child->setGeometry(record.m_normal);
    else
        child->resize(DefaultSize(area->size()));
    m_maximized = maximize;
    if (maximize) {
        KeepInsideArea(child);
        m_normal = child->geometry();
        child->showMaximized();
    } else {
        child->show();
        // The area places a new window in free room, and a saved place may
        // be beyond the edge of a smaller area: either may leave most of the
        // window outside.
        KeepInsideArea(child);
        m_normal = child->geometry();
    }
    area->setActiveSubWindow(child);
    return child;
}

QMdiSubWindow *ChildWindow::SubWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void ChildWindow::KeepInsideArea(QMdiSubWindow *child)
{
    QMdiArea *area = child->mdiArea();
    if (!area || child->isMaximized() || child->isMinimized())
        return;
    const QSize room = area->viewport()->size();
    if (room.isEmpty())
        return;
    const QSize size = child->size().boundedTo(room);
    const QPoint place(std::clamp(child->x(), 0, room.width() - size.width()),
                       std::clamp(child->y(), 0, room.height() - size.height()));
    child->setGeometry(QRect(place, size));
}

QRect ChildWindow::NormalGeometry() const
{
    if (m_normal.isValid())
        return m_normal;
    const QWidget *window = SubWindow() ? static_cast<const QWidget *>(SubWindow()) : this;
    return window->geometry();
}

bool ChildWindow::IsMaximized() const
{
    // While the child window is being destroyed it is no longer a
    // QMdiSubWindow: its last known state holds.
    if (const QMdiSubWindow *child = SubWindow())
        return child->isMaximized();
    return m_maximized;
}

bool ChildWindow::IsActiveChild() const
{
    QMdiSubWindow *child = SubWindow();
    return child && child->mdiArea() && child->mdiArea()->activeSubWindow() == child;
}

std::string ChildWindow::RecordKey() const
{
    return "Wnd_" + m_windowName;
}

std::string ChildWindow::SavedRecord() const
{
    Record record;
    record.m_normal = NormalGeometry();
    record.m_nickListWidth = 0;
    record.m_timeStamps = false;
    record.m_fullAddress = false;
    record.m_smileys = true;
    record.m_showAway = true;
    return record.Format(IsMaximized());
}

ChildWindow::Record ChildWindow::ReadSavedRecord(const std::string &key)
{
    return Record::Parse(ReadString(kRecordSection, key));
}

void ChildWindow::CloseNow()
{
    m_closingNow = true;
    if (QMdiSubWindow *child = SubWindow())
        child->close();
    else
        close();
}

void ChildWindow::closeEvent(QCloseEvent *event)
{
    if (m_closingNow || CloseRequested()) {
        m_closingNow = true;
        event->accept();
        return;
    }
    event->ignore();
}

bool ChildWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == SubWindow() && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange))
        TrackPlacement();
    return QWidget::eventFilter(watched, event);
}

void ChildWindow::TrackPlacement()
{
    QMdiSubWindow *child = SubWindow();
    if (!child)
        return;
    m_maximized = child->isMaximized();
    if (!child->isMaximized() && !child->isMinimized() && child->isVisible())
        m_normal = child->geometry();
}
