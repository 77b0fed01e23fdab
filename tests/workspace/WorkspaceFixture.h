#pragma once

#include "MessageBox.h"
#include "RecordArray.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

class CTobrelView;
class QComboBox;

struct RecordedMessage
{
    QString text;
    QString caption;
    MessageIcon icon;
};

// A fresh current directory and profile location per test, message boxes recorded instead
// of shown, and small helpers to write stores and to act as the user would.
class WorkspaceFixture
{
public:
    WorkspaceFixture();
    ~WorkspaceFixture();

    QString path(const QString &fileName) const;
    void writeFile(const QString &fileName, const QByteArray &bytes) const;
    QByteArray readFile(const QString &fileName) const;

    // Builds the view in the current directory and runs its first set-up.
    std::unique_ptr<CTobrelView> startView();

    QList<RecordedMessage> messages;

private:
    QTemporaryDir m_dir;
    QString m_previousDirectory;
};

// Test texts are written in UTF-8 and stored as code page 1250 bytes.
std::string cp1250(const char *utf8);
EnvelopeFormat envelope(const char *label, float width, float height, float senderLeft,
                        float senderTop, float addresseeLeft, float addresseeTop);
AddressEntry address(const char *label, const char *text);

// Selects the item with exactly this text as a user would, with the activation signal.
void choose(QComboBox *combo, const QString &text);
