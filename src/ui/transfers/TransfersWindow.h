// The transfers window: every file transfer of this run.
#pragma once

#include "windows/ChildWindow.h"

#include <QTimer>

class DirectConnections;
class QPushButton;
class QTreeView;
class TransferListModel;
struct Transfer;

// A child window of the main window listing the file transfers of this run
// (DirectConnections::Transfers), oldest first, with direction, nick, file,
// size, progress, speed, time left and state. The buttons act on the
// selected transfer: cancel one that has not ended, resume one that can be
// resumed, open the file or the folder it is in (with the desktop's own
// programs), and clear the list of the ended ones. The figures are read
// again every TransferFeed::kSampleMs while anything runs.
class TransfersWindow : public ChildWindow
{
    Q_OBJECT
public:
    // Wide enough for every column and a failure's reason.
    static constexpr int kPreferredWidth = 900;

    explicit TransfersWindow(DirectConnections &connections, QWidget *parent = nullptr);
    ~TransfersWindow() override;

    QSize sizeHint() const override;

    QTreeView *ListView() const { return m_view; }
    TransferListModel *Rows() const { return m_rows; }
    QPushButton *CancelButton() const { return m_cancel; }
    QPushButton *ResumeButton() const { return m_resume; }
    QPushButton *OpenFileButton() const { return m_openFile; }
    QPushButton *OpenFolderButton() const { return m_openFolder; }
    QPushButton *ClearButton() const { return m_clear; }
    // Selects the row of the transfer; false when it is not listed.
    bool Select(int id);

    // ShellChild
    QString ButtonToolTip() const override { return windowTitle(); }
    int ButtonImage() const override { return 4; }

private:
    void ListChanged();
    void Tick();
    void UpdateButtons();
    // The selected transfer, null without one.
    const Transfer *Selected() const;
    int SelectedId() const;
    void CancelSelected();
    void ResumeSelected();
    void OpenSelectedFile();
    void OpenSelectedFolder();

    DirectConnections &m_connections;
    TransferListModel *m_rows;
    QTreeView *m_view;
    QPushButton *m_cancel;
    QPushButton *m_resume;
    QPushButton *m_openFile;
    QPushButton *m_openFolder;
    QPushButton *m_clear;
    QTimer m_ticker;
};
