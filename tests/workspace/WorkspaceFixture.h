#pragma once

#include "AddressEntryArray.h"
#include "FileBytes.h"
#include "MessageRecorder.h"
#include "ScopedDirectories.h"
#include "Texts.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class CTobrelView;
class QComboBox;

// A fresh current directory and profile location per test, message boxes recorded instead
// of shown, and small helpers to write stores and to act as the user would.
class WorkspaceFixture
{
public:
    QString path(const QString &fileName) const { return m_directory.filePath(fileName); }
    bool writeFile(const QString &fileName, const QByteArray &bytes) const
    {
        return ::writeFile(path(fileName), bytes);
    }
    QByteArray readFile(const QString &fileName) const { return ::readFile(path(fileName)); }
    QByteArray readProfile(const QString &fileName) const
    {
        return ::readFile(m_configHome.filePath(fileName));
    }
    // The envelope and address stores the view reads at its start.
    bool writeStores(const QList<EnvelopeFormat> &envelopes, const QList<AddressEntry> &senders,
                     const QList<AddressEntry> &addressees) const;

    // Builds the view in the current directory and runs its first set-up.
    std::unique_ptr<CTobrelView> startView();

    const QList<RecordedMessage> &messages() const { return m_recorder.messages; }

private:
    ScopedCurrentDirectory m_directory;
    ScopedConfigHome m_configHome;
    MessageRecorder m_recorder;
};

// Selects the item with exactly this text as a user would, with the activation signal.
void choose(QComboBox *combo, const QString &text);

// Shows the third field panel and types its place and size, in centimetres.
void showThirdField(CTobrelView &view, const char *left, const char *top, const char *width,
                    const char *height);
