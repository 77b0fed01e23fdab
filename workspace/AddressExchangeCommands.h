#pragma once

#include "AddressEntryArray.h"
#include "AddressFile.h"

#include <QCoreApplication>

#include <optional>

class LabelListModel;
class QWidget;

// Import and export of addresses in the window: the file dialog, the question which list,
// the merge like a restore, and its report.
class AddressExchangeCommands
{
    Q_DECLARE_TR_FUNCTIONS(AddressExchangeCommands)

public:
    struct Lists
    {
        AddressEntryArray *senders;
        AddressEntryArray *addressees;
        // What the view's combos show; told of the imported entries.
        LabelListModel *senderList;
        LabelListModel *addresseeList;
    };
    AddressExchangeCommands(QWidget *owner, Lists lists) : m_owner(owner), m_lists(lists) {}

    void OnImportAddresses();
    void OnExportAddresses();

private:
    // Addressees or senders; nothing when the user cancels.
    std::optional<AddressList> askList(const QString &question) const;

    QWidget *m_owner;
    Lists m_lists;
};
