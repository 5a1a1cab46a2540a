#include "transfers/TransfersWindow.h"

#include "dcc/DirectConnections.h"
#include "dcc/TransferFeed.h"
#include "transfers/TransferListModel.h"
#include "transfers/TransferProgressDelegate.h"
#include "widgets/RowList.h"
#include "widgets/Utf8Text.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

TransfersWindow::TransfersWindow(DirectConnections &connections, QWidget *parent)
    : ChildWindow(std::string(), "transfers", parent)
    , m_connections(connections)
    , m_rows(new TransferListModel(connections.Transfers(), this))
    , m_view(new QTreeView(this))
    , m_cancel(new QPushButton(FromStr(Str::TransferCancelButton), this))
    , m_resume(new QPushButton(FromStr(Str::TransferResumeButton), this))
    , m_openFile(new QPushButton(FromStr(Str::TransferOpenFileButton), this))
    , m_openFolder(new QPushButton(FromStr(Str::TransferOpenFolderButton), this))
    , m_clear(new QPushButton(FromStr(Str::TransferClearButton), this))
{
    setWindowTitle(FromStr(Str::TransfersTitle));
    m_view->setModel(m_rows);
    SetUpRowList(m_view);
    m_view->setItemDelegateForColumn(TransferListModel::ProgressColumn, new TransferProgressDelegate(m_view));
    QHeaderView *header = m_view->header();
    // The file name takes the room left; the state keeps enough for a reason.
    header->setStretchLastSection(false);
    header->resizeSection(TransferListModel::DirectionColumn, 80);
    header->resizeSection(TransferListModel::NickColumn, 80);
    header->setSectionResizeMode(TransferListModel::FileColumn, QHeaderView::Stretch);
    header->resizeSection(TransferListModel::SizeColumn, 60);
    header->resizeSection(TransferListModel::ProgressColumn, 100);
    header->resizeSection(TransferListModel::SpeedColumn, 80);
    header->resizeSection(TransferListModel::TimeLeftColumn, 60);
    header->resizeSection(TransferListModel::StateColumn, 240);
    m_resume->setToolTip(FromStr(Str::TransferResumeTip));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_cancel, m_resume, m_openFile, m_openFolder})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_clear);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &TransfersWindow::CancelSelected);
    connect(m_resume, &QPushButton::clicked, this, &TransfersWindow::ResumeSelected);
    connect(m_openFile, &QPushButton::clicked, this, &TransfersWindow::OpenSelectedFile);
    connect(m_openFolder, &QPushButton::clicked, this, &TransfersWindow::OpenSelectedFolder);
    connect(m_clear, &QPushButton::clicked, this, [this] { m_connections.Feed().ClearFinished(); });
    connect(m_view, &QTreeView::activated, this, &TransfersWindow::OpenSelectedFile);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TransfersWindow::UpdateButtons);
    connect(&m_connections.Feed(), &TransferFeed::ListChanged, this, &TransfersWindow::ListChanged);
    m_ticker.setInterval(TransferFeed::kSampleMs);
    connect(&m_ticker, &QTimer::timeout, this, &TransfersWindow::Tick);
    ListChanged();
}

TransfersWindow::~TransfersWindow() = default;

QSize TransfersWindow::sizeHint() const
{
    return {kPreferredWidth, ChildWindow::sizeHint().height()};
}

bool TransfersWindow::Select(int id)
{
    const TransferList &transfers = m_connections.Transfers();
    for (int row = 0; row < transfers.Count(); ++row) {
        if (transfers.At(row).id == id) {
            m_view->setCurrentIndex(m_rows->index(row, 0));
            return true;
        }
    }
    return false;
}

void TransfersWindow::ListChanged()
{
    // The rows are read anew: the selection follows its transfer, not its row.
    const int selected = SelectedId();
    m_rows->Reset();
    if (selected != 0)
        Select(selected);
    Tick();
}

void TransfersWindow::Tick()
{
    m_rows->Refresh();
    UpdateButtons();
    if (m_connections.Transfers().HasRunning())
        m_ticker.start();
    else
        m_ticker.stop();
}

void TransfersWindow::UpdateButtons()
{
    const Transfer *transfer = Selected();
    const bool ended = transfer && transfer->HasEnded();
    const bool fileThere = transfer && QFileInfo(FromUtf8(transfer->path)).isFile();
    m_cancel->setEnabled(transfer && !ended);
    m_resume->setEnabled(transfer && m_connections.CanResume(transfer->id));
    // A file still being received is only a part of itself.
    m_openFile->setEnabled(
        fileThere && (transfer->state == Transfer::State::Done || transfer->direction == Transfer::Direction::Send));
    m_openFolder->setEnabled(transfer && QFileInfo(FromUtf8(transfer->path)).absoluteDir().exists());
    const TransferList &transfers = m_connections.Transfers();
    bool anyEnded = false;
    for (int row = 0; row < transfers.Count() && !anyEnded; ++row)
        anyEnded = transfers.At(row).HasEnded();
    m_clear->setEnabled(anyEnded);
}

const Transfer *TransfersWindow::Selected() const
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || !m_view->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return nullptr;
    return &m_rows->TransferAt(current);
}

int TransfersWindow::SelectedId() const
{
    const Transfer *transfer = Selected();
    return transfer ? transfer->id : 0;
}

void TransfersWindow::CancelSelected()
{
    if (const int id = SelectedId())
        m_connections.CancelTransfer(id);
    m_cancel->setEnabled(false);
}

void TransfersWindow::ResumeSelected()
{
    if (const int id = SelectedId())
        m_connections.ResumeTransfer(id);
}

void TransfersWindow::OpenSelectedFile()
{
    if (!m_openFile->isEnabled())
        return;
    if (const Transfer *transfer = Selected())
        QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(transfer->path)));
}

void TransfersWindow::OpenSelectedFolder()
{
    if (!m_openFolder->isEnabled())
        return;
    if (const Transfer *transfer = Selected())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(FromUtf8(transfer->path)).absolutePath()));
}
