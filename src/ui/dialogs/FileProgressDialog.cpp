#include "dialogs/FileProgressDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dcc/DirectConnect.h"
#include "widgets/Utf8Text.h"

FileProgressDialog::FileProgressDialog(DirectConnect &connection, const std::string &path, const std::string &direction,
                                       QWidget *parent)
    : QDialog(parent)
    , m_connection(&connection)
    , m_path(new QLabel(this))
    , m_direction(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(FromStr(Str::CancelTransferButton), this))
{
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(FromUtf8(direction));
    // The peer's nick and the offered name come from the network: plain text only.
    m_path->setTextFormat(Qt::PlainText);
    m_path->setText(FromUtf8(path));
    m_path->setMinimumWidth(360);
    m_direction->setTextFormat(Qt::PlainText);
    m_direction->setText(FromUtf8(direction));
    m_bar->setRange(0, kSteps);
    m_bar->setValue(0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_path);
    layout->addWidget(m_direction);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &FileProgressDialog::reject);
}

FileProgressDialog::~FileProgressDialog()
{
    if (m_connection)
        m_connection->ForgetProgress(this);
}

QString FileProgressDialog::PathText() const
{
    return m_path->text();
}

QString FileProgressDialog::DirectionText() const
{
    return m_direction->text();
}

void FileProgressDialog::SetPosition(uint64_t done, uint64_t size)
{
    const int step = size == 0 ? kSteps : static_cast<int>(static_cast<double>(done) / double(size) * kSteps);
    // Called once per block: the bar is only touched when it moves.
    if (step != m_bar->value())
        m_bar->setValue(step);
}

void FileProgressDialog::Finish()
{
    m_connection.clear();
    hide();
    deleteLater();
}

void FileProgressDialog::reject()
{
    // The connection closes from the event loop (never from inside this
    // handler); its Finish then removes the dialog.
    if (m_connection && !m_cancelled) {
        m_cancelled = true;
        m_cancel->setEnabled(false);
        m_connection->Cancel();
    }
}
