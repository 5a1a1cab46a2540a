#include "search/SearchBar.h"

#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Text(StrText id)
{
    return FromUtf8(Strings::Get(id));
}

} // namespace

SearchBar::SearchBar(QWidget *parent)
    : QWidget(parent)
    , m_text(new QLineEdit(this))
    , m_start(new QPushButton(Text(Str::SearchStart), this))
    , m_names(new QCheckBox(Text(Str::SearchInNames), this))
    , m_topics(new QCheckBox(Text(Str::SearchInTopics), this))
    , m_either(new QCheckBox(Text(Str::SearchInEither), this))
    , m_minimum(new QLineEdit(QStringLiteral("0"), this))
{
    auto *filterLabel = new QLabel(Text(Str::SearchFilterLabel), this);
    filterLabel->setBuddy(m_text);
    auto *minimumLabel = new QLabel(Text(Str::SearchMinimumLabel), this);
    minimumLabel->setBuddy(m_minimum);
    m_names->setChecked(true);
    m_topics->setChecked(true);
    m_minimum->setMaxLength(11);
    m_minimum->setFixedWidth(m_minimum->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    m_text->setClearButtonEnabled(true);
    m_start->setToolTip(Text(Str::SearchStartTip));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 3);
    layout->addWidget(filterLabel);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_names);
    layout->addWidget(m_topics);
    layout->addWidget(m_either);
    layout->addSpacing(8);
    layout->addWidget(minimumLabel);
    layout->addWidget(m_minimum);
    layout->addSpacing(8);
    layout->addWidget(m_start);
    m_filterWidgets = {filterLabel, m_text, m_names, m_topics, m_either, minimumLabel, m_minimum};

    connect(m_start, &QPushButton::clicked, this, [this] {
        if (m_running)
            emit stopRequested();
        else
            emit startRequested();
    });
    connect(m_text, &QLineEdit::textChanged, this, &SearchBar::filterChanged);
    connect(m_minimum, &QLineEdit::textChanged, this, &SearchBar::filterChanged);
    for (QCheckBox *box : {m_names, m_topics, m_either})
        connect(box, &QCheckBox::toggled, this, &SearchBar::filterChanged);
}

ChannelSearchFilter SearchBar::Filter() const
{
    ChannelSearchFilter filter;
    filter.text = m_text->text().toStdString();
    filter.inNames = m_names->isChecked();
    filter.inTopics = m_topics->isChecked();
    filter.inEither = m_either->isChecked();
    filter.minimum = ChannelSearchFilter::ReadMinimum(m_minimum->text().toStdString());
    return filter;
}

void SearchBar::SetRunning(bool running)
{
    m_running = running;
    for (QWidget *widget : m_filterWidgets)
        widget->setEnabled(!running);
    m_start->setText(Text(running ? Str::SearchStop : Str::SearchStart));
    m_start->setToolTip(Text(running ? Str::SearchStopTip : Str::SearchStartTip));
}
