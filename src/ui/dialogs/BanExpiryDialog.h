#pragma once

#include <QDialog>

class QSpinBox;

// How many minutes one ban of a channel lasts (0: always).
class BanExpiryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BanExpiryDialog(int minutes, QWidget *parent = nullptr);

    int Minutes() const;
    QSpinBox *MinutesBox() const { return m_minutes; }

private:
    QSpinBox *m_minutes;
};
