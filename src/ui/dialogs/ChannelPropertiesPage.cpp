#include "dialogs/ChannelPropertiesPage.h"

#include "dialogs/PropertyFields.h"
#include "widgets/Utf8Text.h"

#include <QFormLayout>
#include <QLineEdit>

ChannelPropertiesPage::ChannelPropertiesPage(const std::string &sessionKey, const std::string &channel,
                                             const std::string &topic, int count, QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_channel(channel)
{
    m_name = ReadOnlyField(this);
    ShowInField(m_name, channel);
    m_topic = ReadOnlyField(this);
    ShowInField(m_topic, topic);
    m_count = ReadOnlyField(this);
    ShowInField(m_count, std::to_string(count));
    auto *layout = new QFormLayout(this);
    layout->addRow(FromStr(Str::ChannelFieldLabel), m_name);
    layout->addRow(FromStr(Str::TopicFieldLabel), m_topic);
    layout->addRow(FromStr(Str::UserCountFieldLabel), m_count);
}

QString ChannelPropertiesPage::TopicText() const
{
    return m_topic->text();
}

QString ChannelPropertiesPage::CountText() const
{
    return m_count->text();
}
