#include "AddressExchangeCommands.h"

#include "BackupCommands.h"
#include "ColumnMappingDialog.h"
#include "LabelListModel.h"
#include "CommonDialogs.h"
#include "MessageBox.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

void AddressExchangeCommands::OnImportAddresses()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = tr("Vyberte soubor s adresami");
    request.directory = QDir::currentPath();
    request.filter = tr("Adresy (*.csv *.vcf)|*.csv;*.vcf||");
    const std::optional<QString> path = runFileDialog(m_owner, request);
    if (!path)
        return;
    // Read whole before anything changes, so a faulty file asks nothing and merges nothing.
    AddressFileImport file = readAddressFile(*path);
    if (file.columnsUnclear && (file.error.isEmpty() || file.noAddressColumn)) {
        ColumnMappingDialog mapping(file.firstRows, file.layout, m_owner);
        if (mapping.exec() != QDialog::Accepted)
            return;
        rememberColumns(file.firstRows.front(), mapping.choice());
        file = readAddressFile(*path, mapping.choice());
    }
    if (!file.error.isEmpty()) {
        showMessageBox(m_owner, file.error, tr("Chyba"), MessageIcon::Error);
        return;
    }
    const std::optional<AddressList> list =
        askList(tr("Přidat adresy ze souboru mezi adresáty, nebo mezi odesílatele?"));
    if (!list)
        return;
    const bool senders = *list == AddressList::Senders;
    AddressEntryArray &entries = senders ? *m_lists.senders : *m_lists.addressees;
    const int sizeBefore = entries.GetSize();
    const RestoreOutcome outcome = mergeAddressEntries(entries, std::move(file.entries));
    (senders ? m_lists.senderList : m_lists.addresseeList)->entriesAppended(sizeBefore);
    showMessageBox(m_owner, importReport(*list, outcome, file), importTitle(*list),
                   MessageIcon::Information);
}

void AddressExchangeCommands::OnExportAddresses()
{
    const std::optional<AddressList> list = askList(tr("Které adresy chcete exportovat?"));
    if (!list)
        return;
    const bool senders = *list == AddressList::Senders;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = tr("Vyberte soubor, do kterého se mají adresy uložit");
    request.directory = QDir::currentPath();
    request.defaultName = senders ? tr("Odesílatelé") : tr("Adresáti");
    request.defaultExtension = QStringLiteral("csv");
    request.filter = tr("Adresy CSV (*.csv)|*.csv|Adresy vCard (*.vcf)|*.vcf||");
    const std::optional<QString> path = runFileDialog(m_owner, request);
    if (!path)
        return;
    const QString error =
        writeAddressFile(*path, senders ? *m_lists.senders : *m_lists.addressees);
    if (!error.isEmpty())
        showMessageBox(m_owner, error, tr("Chyba"), MessageIcon::Error);
}

std::optional<AddressList> AddressExchangeCommands::askList(const QString &question) const
{
    QMessageBox box(QMessageBox::Question, tr("Adresy"), question, QMessageBox::Cancel, m_owner);
    QPushButton *addressees = box.addButton(tr("&Adresáti"), QMessageBox::AcceptRole);
    QPushButton *senders = box.addButton(tr("&Odesílatelé"), QMessageBox::AcceptRole);
    box.setDefaultButton(addressees);
    box.exec();
    if (box.clickedButton() == addressees)
        return AddressList::Addressees;
    if (box.clickedButton() == senders)
        return AddressList::Senders;
    return std::nullopt;
}
