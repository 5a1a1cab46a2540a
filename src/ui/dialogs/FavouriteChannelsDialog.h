#pragma once

#include <QDialog>

#include <string>

class ReportList;
class QComboBox;
class QPushButton;
class Shell;

// The favourite channels of each favourite server: a server drop-down and
// the channels of its group, with add, edit and delete. Every change is
// written at once; edit and delete beep without a selected channel.
class FavouriteChannelsDialog : public QDialog
{
    Q_OBJECT

public:
    // server: the server to show first; empty for "Default Server".
    FavouriteChannelsDialog(Shell &shell, const std::string &server = {}, QWidget *parent = nullptr);

    QComboBox *ServerBox() const { return m_servers; }
    ReportList *List() const { return m_list; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *EditButton() const { return m_edit; }
    QPushButton *DeleteButton() const { return m_delete; }

    void AddChannel();
    void EditChannel();
    void DeleteChannel();

private:
    std::string Server() const;
    void FillChannels();
    void OpenChannelDialog(const std::string &oldName);

    Shell &m_shell;
    QComboBox *m_servers;
    ReportList *m_list;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
};
