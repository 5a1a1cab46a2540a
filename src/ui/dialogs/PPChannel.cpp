#include "dialogs/PPChannel.h"

#include "dialogs/PropertyFields.h"

#include <QFormLayout>
#include <QLineEdit>

CPPChannel::CPPChannel(const std::string &sessionKey, const std::string &channel, const std::string &topic, int count,
                       QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_channel(channel)
{
    m_name = ReadOnlyField(this);
    ShowInField(m_name, channel);
    m_topic = ReadOnlyField(this);
    ShowInField(m_topic, topic);
    m_count = ReadOnlyField(this);
    ShowInField(m_count, std::to_string(count));
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Kanál:"), m_name);
    layout->addRow(QStringLiteral("Téma:"), m_topic);
    layout->addRow(QStringLiteral("Počet užívateľov:"), m_count);
}

QString CPPChannel::TopicText() const
{
    return m_topic->text();
}

QString CPPChannel::CountText() const
{
    return m_count->text();
}
