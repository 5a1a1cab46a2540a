#pragma once

#include <QDialog>

struct Contact;
class ReportList;
class ContactList;
class QPushButton;
class Shell;

// The address book: every contact with its notify mode, address and
// description, with add, edit and delete (written at once). When it closes,
// the contact list the program colours nicks by is read again.
class AddressBookDialog : public QDialog
{
    Q_OBJECT

public:
    AddressBookDialog(Shell &shell, ContactList &contacts, QWidget *parent = nullptr);

    ReportList *List() const { return m_list; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *EditButton() const { return m_edit; }
    QPushButton *DeleteButton() const { return m_delete; }

    void AddContact();
    // Nothing happens without a selected contact.
    void EditContact();
    void DeleteContact();

    void done(int result) override;

private:
    void FillContacts();
    void OpenContactDialog(const Contact &contact);

    Shell &m_shell;
    ContactList &m_contacts;
    ReportList *m_list;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
};
