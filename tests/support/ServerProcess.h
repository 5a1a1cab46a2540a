#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

class QProcess;

// The child process of a server a test starts (ngircd, ZNC).

// Starts the program with its output merged into one channel and waits until
// it accepts connections on port of 127.0.0.1 (true), or ends, or timeoutMs
// pass. process gets the new child either way; its owner stops it.
bool StartListening(QProcess *&process, const QString &program, const QStringList &arguments, uint16_t port,
                    int timeoutMs);

// Stops the child by its process id (SIGTERM; SIGKILL when it does not end),
// adds what it printed to output, deletes it and sets process to null.
void StopProcess(QProcess *&process, std::string &output);
