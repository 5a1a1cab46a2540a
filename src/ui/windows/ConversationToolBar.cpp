#include "windows/ConversationToolBar.h"

#include "app/AppIcons.h"
#include "app/CommandIds.h"
#include "text/Strings.h"
#include "widgets/MenuText.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationMenu.h"

#include <QAction>

ConversationToolBar::ConversationToolBar(QWidget *parent) : QToolBar(parent)
{
    setOrientation(Qt::Vertical);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    AddCommand(CommandId::ChannelTopic, FromStr(Str::CommandChannelTopic));
    AddCommand(CommandId::ChannelBans, FromStr(Str::CommandChannelBans));
    addSeparator();
    AddCommand(CommandId::ChannelAddFavourite, FromStr(Str::CommandChannelAddFavourite));
    addSeparator();
    AddCommand(CommandId::ChannelProperties, FromStr(Str::CommandProperties));
    addSeparator();
    for (int k = 0; k < 5; ++k)
        AddCommand(CommandId::UserMessageFirst + k, QString::number(k + 1));
    SetUserMessages({});
}

QAction *ConversationToolBar::AddCommand(int id, const QString &text)
{
    const QString shown = ToolTipOfMenuText(text);
    QAction *action = addAction(AppIcons::Command(id), text);
    // The bar is a narrow column of pictures; the text is the tool tip (and
    // the button's text should a picture be missing).
    action->setIconText(shown);
    action->setToolTip(shown);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    return action;
}

void ConversationToolBar::SetUserMessages(const std::array<std::string, 5> &messages)
{
    for (int k = 0; k < 5; ++k) {
        QAction *action = Action(CommandId::UserMessageFirst + k);
        const QString message = FromUtf8(messages[static_cast<size_t>(k)]);
        const bool configured = !message.isEmpty();
        action->setToolTip(configured ? PlainToolTip(message)
                                      : FromUtf8(Strings::Format(Str::UserMessageNotSet, k + 1, k + 1)));
        action->setEnabled(configured);
    }
}

void ConversationToolBar::ShowFeaturesOf(const Shell *shell)
{
    for (const int id : {CommandId::ChannelBans, CommandId::ChannelProperties})
        Action(id)->setEnabled(ConversationMenu::HasFeature(shell, id));
}

QAction *ConversationToolBar::Action(int id) const
{
    for (QAction *action : actions())
        if (!action->isSeparator() && action->data().toInt() == id)
            return action;
    return nullptr;
}
