#include "BackupCommands.h"

#include "CommonDialogs.h"
#include "LabelListModel.h"
#include "MessageBox.h"
#include "StandardEnvelopes.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The file dialogs may move the current directory, and the store files are opened by bare
// name in it: every command puts it back, however it ends. It is held open rather than by
// name, since its name need not be text a QString can carry.
class CurrentDirectoryKeeper
{
public:
    CurrentDirectoryKeeper()
        : m_directory(QDir::currentPath()), m_handle(::open(".", O_RDONLY | O_CLOEXEC))
    {
    }
    ~CurrentDirectoryKeeper()
    {
        if (m_handle < 0 || ::fchdir(m_handle) != 0)
            QDir::setCurrent(m_directory);
        if (m_handle >= 0)
            ::close(m_handle);
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper &) = delete;
    CurrentDirectoryKeeper &operator=(const CurrentDirectoryKeeper &) = delete;
    const QString &directory() const { return m_directory; }

private:
    QString m_directory;
    int m_handle;
};

} // namespace

void BackupCommands::OnBackupSenders()
{
    backup({tr("Vyberte soubor do kterého se má záloha odesílatelů uložit"),
            tr("Zaloha odesílatelů"), QStringLiteral("zod"),
            tr("Zálohy odesílatelů (*.zod)") + QStringLiteral("|*.zod||")},
           [this](const QString &path, QString *why) {
               return writeAddressBackup(path, *m_lists.senders, why);
           });
}

void BackupCommands::OnBackupAddressees()
{
    backup({tr("Vyberte soubor do kterého se má záloha adresátů uložit"), tr("Zaloha adresátů"),
            QStringLiteral("zad"), tr("Zálohy adresátů (*.zad)") + QStringLiteral("|*.zad||")},
           [this](const QString &path, QString *why) {
               return writeAddressBackup(path, *m_lists.addressees, why);
           });
}

void BackupCommands::OnBackupEnvelopes()
{
    backup({tr("Vyberte soubor do kterého se má záloha obálek uložit"), tr("Zaloha obálek"),
            QStringLiteral("zob"), tr("Zálohy obálek (*.zob)") + QStringLiteral("|*.zob||")},
           [this](const QString &path, QString *why) {
               return writeEnvelopeBackup(path, *m_lists.envelopes, why);
           });
}

void BackupCommands::backup(const BackupDialogTexts &texts,
                            const std::function<bool(const QString &path, QString *why)> &write)
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
    QString why;
    if (!write(*path, &why)) {
        showMessageBox(m_owner,
                       tr("Zálohu se nepodařilo uložit do souboru „%1“. Soubor "
                          "zůstal beze změny.")
                               .arg(QDir::toNativeSeparators(*path)) +
                           QLatin1Char('\n') + tr("Důvod: %1").arg(why),
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
    // Descriptions (translatable) and their patterns in turn.
    request.filter = QStringList{tr("Soubory záloh (*.zod;*.zad;*.zob)"),
                                 QStringLiteral("*.zod;*.zad;*.zob"),
                                 tr("Zálohy adresátů (*.zad)"),
                                 QStringLiteral("*.zad"),
                                 tr("Zálohy odesílatelů (*.zod)"),
                                 QStringLiteral("*.zod"),
                                 tr("Zálohy obálek (*.zob)"),
                                 QStringLiteral("*.zob")}
                         .join(QLatin1Char('|')) +
                     QStringLiteral("||");
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
    LabelListModel *list = nullptr;
    int sizeBefore = 0;
    switch (*kind) {
    case BackupKind::Envelopes:
        sizeBefore = m_lists.envelopes->GetSize();
        outcome = restoreEnvelopeBackup(path, *m_lists.envelopes);
        list = m_lists.envelopeList;
        break;
    case BackupKind::Senders:
        sizeBefore = m_lists.senders->GetSize();
        outcome = restoreAddressBackup(path, *m_lists.senders);
        list = m_lists.senderList;
        break;
    case BackupKind::Addressees:
        sizeBefore = m_lists.addressees->GetSize();
        outcome = restoreAddressBackup(path, *m_lists.addressees);
        list = m_lists.addresseeList;
        break;
    }
    if (!outcome.opened) {
        showMessageBox(m_owner, tr("Nezdařilo se otevřít zadaný soubor."), tr("Chyba"),
                       MessageIcon::Error);
        return;
    }
    list->entriesAppended(sizeBefore);
    if (outcome.whole)
        showMessageBox(m_owner, restoreReport(*kind, outcome.skippedLabels), restoreTitle(*kind),
                       MessageIcon::Information);
    else
        showMessageBox(m_owner, unreadableBackupReport(*kind, outcome), restoreTitle(*kind),
                       MessageIcon::Error);
}

void BackupCommands::OnAddStandardEnvelopes()
{
    const int sizeBefore = m_lists.envelopes->GetSize();
    const RestoreOutcome outcome = addStandardEnvelopeFormats(*m_lists.envelopes);
    m_lists.envelopeList->entriesAppended(sizeBefore);
    showMessageBox(m_owner, standardEnvelopesReport(outcome.skippedLabels),
                   standardEnvelopesTitle(), MessageIcon::Information);
}
