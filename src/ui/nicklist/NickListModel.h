// The list model between a channel's member list and the nick list widget.
#pragma once

#include <QAbstractListModel>

#include <functional>
#include <string>

#include "conversation/NickList.h"

// A list model over the core's NickList: one row per member, following every
// insertion and removal row by row (never a reset or a re-sort of the view).
// The model does not own the list; the list must outlive the model or be
// detached with SetNickList(nullptr).
class NickListModel : public QAbstractListModel, private NickListListener
{
    Q_OBJECT

public:
    enum Roles {
        EntryTextRole = Qt::UserRole + 1, // the whole entry text, status character included
        StatusRole,                       // the status character as an int (0 when none)
        AwayRole,                         // bool: the member is away
        ContactRole,                      // bool: the nick is in the address book
    };

    explicit NickListModel(QObject *parent = nullptr);
    ~NickListModel() override;

    void SetNickList(NickList *list);
    NickList *GetNickList() const { return m_list; }

    // Tells whether a nick (without status character) is in the address book.
    using ContactTest = std::function<bool(const std::string &nick)>;
    void SetContactTest(ContactTest test);
    bool IsContact(const std::string &nick) const;
    // The address book changed: every row is drawn again.
    void ContactsChanged();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    // The list's own selection moved (-1: nothing selected).
    void selectedRowChanged(int row);

private:
    void NickAboutToBeInserted(int index) override;
    void NickInserted(int index) override;
    void NickAboutToBeRemoved(int index) override;
    void NickRemoved(int index) override;
    void NickChanged(int index) override;
    void NickListAboutToBeCleared() override;
    void NickListCleared() override;
    void NickSelectionChanged(int index) override;

    NickList *m_list = nullptr;
    ContactTest m_isContact;
};
