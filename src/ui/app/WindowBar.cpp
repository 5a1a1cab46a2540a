#include "app/WindowBar.h"

#include "app/AppIcons.h"
#include "app/ShellChild.h"
#include "widgets/PlainToolTip.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>

WindowBar::WindowBar(const QString &title, QMdiArea *area, QWidget *parent)
    : QToolBar(title, parent), m_area(area)
{
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QToolButton *WindowBar::Button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index).button : nullptr;
}

QToolButton *WindowBar::ButtonOf(QMdiSubWindow *child) const
{
    for (const Entry &entry : m_buttons)
        if (entry.child == child)
            return entry.button;
    return nullptr;
}

void WindowBar::Refresh()
{
    SyncButtons();
    QMdiSubWindow *active = m_area->activeSubWindow();
    if (!active)
        active = m_area->currentSubWindow();
    for (Entry &entry : m_buttons)
        UpdateButton(entry, entry.child == active);
    if (isFloating())
        adjustSize();
}

void WindowBar::SyncButtons()
{
    QList<QMdiSubWindow *> children = m_area->subWindowList(QMdiArea::CreationOrder);
    // A closed window stays in the area until it is deleted.
    children.removeIf([](QMdiSubWindow *child) { return child->isHidden(); });
    for (int i = m_buttons.size() - 1; i >= 0; --i) {
        const Entry &entry = m_buttons.at(i);
        if (entry.child && children.contains(entry.child))
            continue;
        removeAction(entry.action);
        entry.button->deleteLater();
        m_buttons.remove(i);
    }
    // Windows only ever join at the end of the creation order.
    for (QMdiSubWindow *child : children) {
        if (ButtonOf(child))
            continue;
        Entry entry;
        entry.child = child;
        entry.button = CreateButton(child);
        entry.action = addWidget(entry.button);
        m_buttons.push_back(entry);
    }
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i].button->setProperty("commandId", kFirstButtonId + i);
}

QToolButton *WindowBar::CreateButton(QMdiSubWindow *child)
{
    auto *button = new QToolButton(this);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    button->setProperty("child", QVariant::fromValue(static_cast<QObject *>(child)));
    connect(button, &QToolButton::clicked, this, [this, button] { OnButtonClicked(button); });
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, button](const QPoint &pos) { OnContextMenu(button, pos); });
    return button;
}

void WindowBar::UpdateButton(Entry &entry, bool active)
{
    QToolButton *button = entry.button;
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setChecked(active);
    if (!entry.child)
        return;
    const QString title = entry.child->windowTitle();
    // "&&" shows an '&' of a channel name ("#R&D") instead of making a shortcut of it.
    button->setText(button->fontMetrics()
                        .elidedText(title, Qt::ElideRight, kButtonWidth - 26)
                        .replace(QLatin1Char('&'), QLatin1String("&&")));
    button->setToolTip(PlainToolTip(ToolTipOf(entry.child)));
    if (!entry.blinkOn)
        button->setIcon(AppIcons::WindowImage(ImageOf(entry.child)));
}

bool WindowBar::BlinkPass()
{
    bool activity = false;
    for (Entry &entry : m_buttons) {
        if (!entry.child)
            continue;
        auto *shellChild = dynamic_cast<ShellChild *>(entry.child->widget());
        const int image = ImageOf(entry.child);
        if (shellChild && shellChild->HasActivity()) {
            activity = true;
            entry.blinkOn = !entry.blinkOn;
            entry.button->setIcon(AppIcons::WindowImage(entry.blinkOn ? 1 : 0));
        } else {
            entry.blinkOn = false;
            entry.button->setIcon(AppIcons::WindowImage(image));
        }
    }
    return activity;
}

void WindowBar::OnButtonClicked(QToolButton *button)
{
    for (const Entry &entry : std::as_const(m_buttons)) {
        if (entry.button != button || !entry.child)
            continue;
        QMdiSubWindow *child = entry.child;
        if (child->isMinimized())
            child->showNormal();
        m_area->setActiveSubWindow(child);
        emit childActivated(child);
        return;
    }
}

void WindowBar::OnContextMenu(QToolButton *button, const QPoint &pos)
{
    for (const Entry &entry : std::as_const(m_buttons)) {
        if (entry.button != button || !entry.child)
            continue;
        if (QMenu *menu = entry.child->systemMenu())
            menu->exec(button->mapToGlobal(pos));
        return;
    }
}

QString WindowBar::ToolTipOf(QMdiSubWindow *child)
{
    if (auto *shellChild = dynamic_cast<ShellChild *>(child->widget()))
        return shellChild->ButtonToolTip();
    return child->windowTitle();
}

int WindowBar::ImageOf(QMdiSubWindow *child)
{
    if (auto *shellChild = dynamic_cast<ShellChild *>(child->widget()))
        return shellChild->ButtonImage();
    return 0;
}
