#include "nicklist/NickListModel.h"

#include <algorithm>

#include "session/ContactList.h"

NickListModel::NickListModel(QObject *parent) : QAbstractListModel(parent), m_isContact(ContactList::IsInAddressBook)
{}

NickListModel::~NickListModel()
{
    if (m_list)
        m_list->SetListener(nullptr);
}

void NickListModel::SetNickList(NickList *list)
{
    beginResetModel();
    if (m_list)
        m_list->SetListener(nullptr);
    m_list = list;
    if (m_list)
        m_list->SetListener(this);
    endResetModel();
}

void NickListModel::SetContactTest(ContactTest test)
{
    m_isContact = std::move(test);
    ContactsChanged();
}

bool NickListModel::IsContact(const std::string &nick) const
{
    return m_isContact && m_isContact(nick);
}

void NickListModel::ContactsChanged()
{
    const int rows = rowCount();
    if (rows > 0)
        emit dataChanged(index(0), index(rows - 1), {ContactRole});
}

int NickListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_list)
        return 0;
    return m_list->NickCount();
}

QVariant NickListModel::data(const QModelIndex &index, int role) const
{
    if (!m_list || !index.isValid() || index.row() >= m_list->NickCount())
        return {};
    const NickEntry &entry = m_list->EntryAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(std::string(entry.Bare()));
    case EntryTextRole:
        return QString::fromStdString(entry.nick);
    case StatusRole:
        return static_cast<int>(static_cast<unsigned char>(entry.Status()));
    case AwayRole:
        return entry.IsAway();
    case ContactRole:
        return IsContact(std::string(entry.Bare()));
    default:
        return {};
    }
}

void NickListModel::NickAboutToBeInserted(int index)
{
    beginInsertRows(QModelIndex(), index, index);
}

void NickListModel::NickInserted(int)
{
    endInsertRows();
}

void NickListModel::NickAboutToBeRemoved(int index)
{
    beginRemoveRows(QModelIndex(), index, index);
}

void NickListModel::NickRemoved(int)
{
    endRemoveRows();
}

void NickListModel::NickChanged(int row)
{
    emit dataChanged(index(row), index(row), {AwayRole});
}

void NickListModel::NickListAboutToBeCleared()
{
    beginResetModel();
}

void NickListModel::NickListCleared()
{
    endResetModel();
}

void NickListModel::NickSelectionChanged(int row)
{
    emit selectedRowChanged(row);
}
