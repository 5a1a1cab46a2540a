// The tool bar of a channel window: channel commands and user-message buttons.
#pragma once

#include <QToolBar>

#include <array>
#include <string>

class Shell;

// The vertical tool bar on the left of a channel window, a narrow column of
// small picture buttons whose tool tips are their texts: "&Zvoliť Tému ...",
// "Zakázaní &Užívatelia ...", "Pridať K Obľúbeným", "Vlastnosti" and the five
// user-message buttons, whose tool tips are the configured messages. A button
// reports its command number (CommandId; the user messages from
// UserMessageFirst on) through commandTriggered.
class ConversationToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit ConversationToolBar(QWidget *parent = nullptr);

    // "Msgs User1" .. "Msgs User5": the tool tips; an empty message disables
    // its button, whose tool tip then tells where to set one.
    void SetUserMessages(const std::array<std::string, 5> &messages);
    // The buttons of features the shell does not have (the ban list, the
    // properties sheet) are disabled.
    void ShowFeaturesOf(const Shell *shell);
    // The action of a command number (null when the bar has none).
    QAction *Action(int id) const;

signals:
    void commandTriggered(int id);

private:
    QAction *AddCommand(int id, const QString &text);
};
