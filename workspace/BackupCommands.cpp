#include "BackupCommands.h"

#include "CommonDialogs.h"
#include "Cp1250.h"
#include "MessageBox.h"
#include "SortedList.h"
#include "StandardEnvelopes.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The file dialogs may move the current directory, and the store files are opened by bare
// name in it: every command puts it back, however it ends.
class CurrentDirectoryKeeper
{
public:
    CurrentDirectoryKeeper() : m_directory(QDir::currentPath()) {}
    ~CurrentDirectoryKeeper() { QDir::setCurrent(m_directory); }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper &) = delete;
    CurrentDirectoryKeeper &operator=(const CurrentDirectoryKeeper &) = delete;
    const QString &directory() const { return m_directory; }

private:
    QString m_directory;
};

// All at once: one sorted insertion per label costs a copy of the whole list each, which
// freezes the window when a large backup is merged.
void addLabels(QComboBox *combo, const std::vector<std::string> &labels)
{
    QStringList texts;
    texts.reserve(qsizetype(labels.size()));
    for (const std::string &label : labels)
        texts << fromCp1250(label);
    addSortedItems(combo, texts);
}

} // namespace

void BackupCommands::OnBackupSenders()
{
    backup({tr("Vyberte soubor do kterého se má záloha odesílatelů uložit"),
            tr("Zaloha odesílatelů"), QStringLiteral("zod"),
            tr("Zálohy odesílatelů (*.zod)|*.zod||")},
           [this](const QString &path) { return writeAddressBackup(path, *m_lists.senders); });
}

void BackupCommands::OnBackupAddressees()
{
    backup({tr("Vyberte soubor do kterého se má záloha adresátů uložit"), tr("Zaloha adresátů"),
            QStringLiteral("zad"), tr("Zálohy adresátů (*.zad)|*.zad||")},
           [this](const QString &path) { return writeAddressBackup(path, *m_lists.addressees); });
}

void BackupCommands::OnBackupEnvelopes()
{
    backup({tr("Vyberte soubor do kterého se má záloha obálek uložit"), tr("Zaloha obálek"),
            QStringLiteral("zob"), tr("Zálohy obálek (*.zob)|*.zob||")},
           [this](const QString &path) { return writeEnvelopeBackup(path, *m_lists.envelopes); });
}

void BackupCommands::backup(const BackupDialogTexts &texts,
                            const std::function<bool(const QString &path)> &write)
{
    const CurrentDirectoryKeeper keeper;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = texts.title;
    request.directory = keeper.directory();
    request.defaultName = texts.defaultName;
    request.defaultExtension = texts.defaultExtension;
    request.filter = texts.filter;
    const std::optional<QString> path = runFileDialog(m_owner, request);
    if (!path)
        return;
    if (!write(*path)) {
        showMessageBox(m_owner,
                       tr("Zálohu se nepodařilo uložit do souboru „%1“. Soubor "
                          "zůstal beze změny.")
                           .arg(QDir::toNativeSeparators(*path)),
                       tr("Chyba"), MessageIcon::Error);
    }
}

void BackupCommands::OnRestoreBackup()
{
    const CurrentDirectoryKeeper keeper;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = tr("Vyberte soubor se zálohou");
    request.directory = keeper.directory();
    request.filter = tr("Soubory záloh (*.zod;*.zad;*.zob)|*.zod;*.zad;*.zob|"
                        "Zálohy adresátů (*.zad)|*.zad|"
                        "Zálohy odesílatelů (*.zod)|*.zod|"
                        "Zálohy obálek (*.zob)|*.zob||");
    if (const std::optional<QString> path = runFileDialog(m_owner, request))
        restore(*path);
}

void BackupCommands::restore(const QString &path)
{
    const std::optional<BackupKind> kind = backupKindFromExtension(QFileInfo(path).suffix());
    if (!kind) {
        showMessageBox(m_owner, tr("Neznámý typ souboru."), tr("CHYBA"), MessageIcon::Error);
        return;
    }

    RestoreOutcome outcome;
    QComboBox *combo = nullptr;
    switch (*kind) {
    case BackupKind::Envelopes:
        outcome = restoreEnvelopeBackup(path, *m_lists.envelopes);
        combo = m_lists.envelopeCombo;
        break;
    case BackupKind::Senders:
        outcome = restoreAddressBackup(path, *m_lists.senders);
        combo = m_lists.senderCombo;
        break;
    case BackupKind::Addressees:
        outcome = restoreAddressBackup(path, *m_lists.addressees);
        combo = m_lists.addresseeCombo;
        break;
    }
    if (!outcome.opened) {
        showMessageBox(m_owner, tr("Nezdařilo se otevřít zadaný soubor."), tr("Chyba"),
                       MessageIcon::Error);
        return;
    }
    addLabels(combo, outcome.addedLabels);
    if (outcome.whole)
        showMessageBox(m_owner, restoreReport(*kind, outcome.skippedLabels), restoreTitle(*kind),
                       MessageIcon::Information);
    else
        showMessageBox(m_owner, unreadableBackupReport(*kind, outcome), restoreTitle(*kind),
                       MessageIcon::Error);
}

void BackupCommands::OnAddStandardEnvelopes()
{
    const RestoreOutcome outcome = addStandardEnvelopeFormats(*m_lists.envelopes);
    addLabels(m_lists.envelopeCombo, outcome.addedLabels);
    showMessageBox(m_owner, standardEnvelopesReport(outcome.skippedLabels),
                   standardEnvelopesTitle(), MessageIcon::Information);
}
