#include "dialogs/PPChannel.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

QLineEdit *ReadOnlyField(const QString &text, QWidget *parent)
{
    auto *field = new QLineEdit(text, parent);
    field->setReadOnly(true);
    field->setCursorPosition(0);
    return field;
}

} // namespace

CPPChannel::CPPChannel(const std::string &sessionKey, const std::string &channel, const std::string &topic,
                       int count, QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_channel(channel)
{
    m_name = ReadOnlyField(QString::fromStdString(channel), this);
    m_topic = ReadOnlyField(QString::fromStdString(topic), this);
    m_count = ReadOnlyField(QString::number(count), this);
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
