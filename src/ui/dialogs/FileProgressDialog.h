#pragma once

#include <QDialog>
#include <QPointer>

#include <string>

#include "dcc/FileProgress.h"

class DirectConnect;
class QLabel;
class QProgressBar;
class QPushButton;

// The modeless progress dialog of one file transfer: the file's path, the
// direction ("Od bob Do ..."), a progress bar and Cancel. Cancel (also Esc or
// closing the window) asks the connection to close; the dialog goes away
// when the connection says it has ended (Finish).
class FileProgressDialog : public QDialog, public FileProgress
{
    Q_OBJECT

public:
    // Steps of the progress bar (sizes are 64-bit, the bar's range is int).
    static constexpr int kSteps = 1000;

    FileProgressDialog(DirectConnect &connection, const std::string &path, const std::string &direction,
                     QWidget *parent = nullptr);
    ~FileProgressDialog() override;

    void SetPosition(uint64_t done, uint64_t size) override;
    void Finish() override;

    QString PathText() const;
    QString DirectionText() const;
    QProgressBar *Bar() const { return m_bar; }
    QPushButton *CancelButton() const { return m_cancel; }

    void reject() override;

private:
    QPointer<DirectConnect> m_connection;
    QLabel *m_path;
    QLabel *m_direction;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    bool m_cancelled = false;
};
