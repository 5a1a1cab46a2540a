#pragma once

#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

#include "dcc/DirectConnect.h"
#include "dcc/FileProgress.h"

// The progress of one file transfer as tests see it: what it was opened
// with, every position shown, whether it was finished; Cancel presses the
// Cancel button.
class FakeFileProgress : public FileProgress
{
public:
    FakeFileProgress(DirectConnect &connection, std::string path, std::string direction)
        : m_connection(&connection), m_path(std::move(path)), m_direction(std::move(direction))
    {}

    void SetPosition(uint64_t done, uint64_t size) override
    {
        m_positions.push_back(done);
        m_size = size;
    }
    void Finish() override { m_finished = true; }
    void Cancel()
    {
        if (m_connection && !m_finished)
            m_connection->Cancel();
    }

    QPointer<DirectConnect> m_connection;
    std::string m_path, m_direction;
    std::vector<uint64_t> m_positions;
    uint64_t m_size = 0;
    bool m_finished = false;
};
