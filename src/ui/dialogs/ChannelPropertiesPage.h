#pragma once

#include <QWidget>

#include <string>

class QLineEdit;

// The page of a channel's properties sheet: the channel name, its current
// topic and the number of entries of its nick list.
class ChannelPropertiesPage : public QWidget
{
    Q_OBJECT

public:
    ChannelPropertiesPage(const std::string &sessionKey, const std::string &channel, const std::string &topic, int count,
               QWidget *parent = nullptr);

    const std::string &SessionKey() const { return m_sessionKey; }
    const std::string &Channel() const { return m_channel; }
    QString TopicText() const;
    QString CountText() const;

private:
    std::string m_sessionKey;
    std::string m_channel;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_topic = nullptr;
    QLineEdit *m_count = nullptr;
};
