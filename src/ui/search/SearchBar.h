#pragma once

#include "search/ChannelSearchFilter.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The bar on top of the channel search window: the filter text, where to
// look for it (names, topics, either), the least number of users, and the
// button that starts a search and stops a running one. While a search runs
// everything but that button is disabled.
class SearchBar : public QWidget
{
    Q_OBJECT

public:
    explicit SearchBar(QWidget *parent = nullptr);

    // The filter as the controls say now (a minimum that is not a number is 0).
    ChannelSearchFilter Filter() const;
    void SetRunning(bool running);
    bool IsRunning() const { return m_running; }

    QLineEdit *FilterEdit() const { return m_text; }
    QLineEdit *MinimumEdit() const { return m_minimum; }
    QPushButton *StartButton() const { return m_start; }
    QCheckBox *NamesBox() const { return m_names; }
    QCheckBox *TopicsBox() const { return m_topics; }
    QCheckBox *EitherBox() const { return m_either; }

signals:
    void startRequested();
    void stopRequested();
    // A control of the filter changed.
    void filterChanged();

private:
    QLineEdit *m_text;
    QPushButton *m_start;
    QCheckBox *m_names;
    QCheckBox *m_topics;
    QCheckBox *m_either;
    QLineEdit *m_minimum;
    QList<QWidget *> m_filterWidgets; // disabled while a search runs
    bool m_running = false;
};
