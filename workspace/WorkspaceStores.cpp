#include "WorkspaceStores.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// The bare name: the system resolves it in the current directory, whose name need not be
// text that a QString can carry.
QString storePath(const char *fileName)
{
    return QString::fromLatin1(fileName);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("WorkspaceStores", text);
}

} // namespace

PrintFont WorkspaceStores::loadPrintFont()
{
    PrintFont font = defaultPrintFont();
    noteLoad(kPrintFontFileName, ::loadPrintFont(storePath(kPrintFontFileName), font));
    return font;
}

StoredLists WorkspaceStores::readLists()
{
    StoredLists lists;
    lists.envelopeReport = loadEnvelopeStore(storePath(kEnvelopeStoreName), lists.envelopes);
    lists.addressReport =
        loadAddressStore(storePath(kAddressStoreName), lists.senders, lists.addressees);
    return lists;
}

void WorkspaceStores::adoptLists(StoredLists &&lists, EnvelopeFormatArray &envelopes,
                                 AddressEntryArray &senders, AddressEntryArray &addressees)
{
    Q_ASSERT(envelopes.GetSize() == 0 && senders.GetSize() == 0 && addressees.GetSize() == 0);
    envelopes = std::move(lists.envelopes);
    senders = std::move(lists.senders);
    addressees = std::move(lists.addressees);
    noteLoad(kEnvelopeStoreName, lists.envelopeReport);
    noteLoad(kAddressStoreName, lists.addressReport);
}

void WorkspaceStores::noteLoad(const char *fileName, const LoadReport &report)
{
    if (report.state != LoadReport::State::Damaged)
        return;
    const QString name = QString::fromLatin1(fileName);
    const bool isFont = name == QLatin1String(kPrintFontFileName);
    QString message = isFont
                          ? tr("Soubor „%1“ je poškozený, proto se pro tisk použije výchozí písmo "
                               "Times New Roman 12 bodů.")
                                .arg(name)
                          : tr("Soubor „%1“ je poškozený a nepodařilo se ho přečíst celý. Počet "
                               "načtených celých záznamů: %2.")
                                .arg(name)
                                .arg(report.keptEntries);
    const QString kept = keepDamagedFile(storePath(fileName));
    if (kept.isEmpty()) {
        m_leaveAlone << name;
        message += QLatin1Char(' ') +
                   tr("Původní soubor se nepodařilo uschovat, proto nebude při ukončení "
                      "programu přepsán.");
    } else {
        message += QLatin1Char(' ') +
                   tr("Původní soubor je uschován jako „%1“.").arg(QFileInfo(kept).fileName());
    }
    m_loadMessages << message;
}

QStringList WorkspaceStores::takeLoadMessages()
{
    return std::exchange(m_loadMessages, {});
}

QList<StoreSaveFailure> WorkspaceStores::save(const EnvelopeFormatArray &envelopes,
                                              const AddressEntryArray &senders,
                                              const AddressEntryArray &addressees,
                                              const PrintFont &font) const
{
    QList<StoreSaveFailure> failed;
    const auto write = [&](const char *fileName, auto &&writer) {
        const QString name = QString::fromLatin1(fileName);
        QString why;
        if (!m_leaveAlone.contains(name) && !writer(storePath(fileName), &why))
            failed.append({name, why});
    };
    write(kEnvelopeStoreName, [&](const QString &path, QString *why) {
        return saveEnvelopeStore(path, envelopes, why);
    });
    write(kAddressStoreName, [&](const QString &path, QString *why) {
        return saveAddressStore(path, senders, addressees, why);
    });
    write(kPrintFontFileName,
          [&](const QString &path, QString *why) { return savePrintFont(path, font, why); });
    return failed;
}

QString WorkspaceStores::saveFailureMessage(const QList<StoreSaveFailure> &failures)
{
    QStringList quoted;
    QString reasons;
    for (const StoreSaveFailure &failure : failures) {
        quoted << tr("„%1“").arg(failure.fileName);
        reasons +=
            failures.size() == 1
                ? QLatin1Char('\n') + tr("Důvod: %1").arg(failure.reason)
                : QLatin1Char('\n') + tr("Důvod u „%1“: %2").arg(failure.fileName, failure.reason);
    }
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    const QString text =
        failures.size() == 1
            ? tr("Nepodařilo se uložit soubor %1 do složky „%2“. Jeho předchozí obsah zůstal "
                 "zachován, změny z tohoto spuštění programu v něm nejsou.")
            : tr("Nepodařilo se uložit soubory %1 do složky „%2“. Jejich předchozí obsah "
                 "zůstal zachován, změny z tohoto spuštění programu v nich nejsou.");
    return text.arg(quoted.join(QLatin1String(", ")), folder) + reasons;
}
