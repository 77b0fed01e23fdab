#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGINT as a Qt signal. The handlers only write a byte to a pipe, so they are
// safe at any moment; the byte is read in the event loop.
class ShutdownSignals : public QObject
{
    Q_OBJECT
public:
    // Call first thing in main, so that a signal that arrives during start-up waits in the
    // pipe instead of killing the process before the lists are saved.
    static bool installHandlers();

    explicit ShutdownSignals(QObject *parent = nullptr);

Q_SIGNALS:
    void received();

private:
    void OnActivated();

    QSocketNotifier *m_notifier = nullptr;
};
