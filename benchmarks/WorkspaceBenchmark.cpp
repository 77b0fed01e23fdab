// Start-up of the workspace with long lists: 100,000 senders and 100,000 addressees in
// "adresy.ar", then one completion keystroke in the addressee combo and the opening of its
// list, the delete dialog and one deletion, and the restore of a backup as long. Prints the
// times.
#include "CAutoComboBox.h"
#include "CDeleteDlg.h"
#include "CTobrelView.h"
#include "DialogStubs.h"
#include "MessageBox.h"
#include "ScopedDirectories.h"
#include "StoreFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>
#include <string>

namespace {

AddressEntryArray makeEntries(const char *prefix, int count)
{
    AddressEntryArray entries;
    for (int i = 0; i < count; ++i) {
        AddressEntry entry;
        // Spread over the alphabet so that the sort has real work to do.
        entry.label = std::string(1, char('A' + (i * 7919) % 26)) + prefix + std::to_string(i);
        entry.text = entry.label + "\r\nUlice " + std::to_string(i) + "\r\n110 00 Praha";
        entries.Append(entry);
    }
    return entries;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const ScopedCurrentDirectory directory;
    const ScopedConfigHome configHome;
    setMessageBoxHandler([](QWidget *, const QString &text, const QString &, MessageIcon) {
        std::printf("message: %s\n", qPrintable(text.left(80)));
    });
    if (!saveAddressStore(QDir::current().filePath(kAddressStoreName),
                          makeEntries("odesilatel", count), makeEntries("adresat", count)))
        return 1;

    QElapsedTimer timer;
    timer.start();
    {
        CTobrelView view;
        view.resize(900, 600);
        view.OnInitialUpdate();
        view.show();
        QApplication::processEvents();
        std::printf("%d senders and %d addressees: window up in %lld ms\n", count, count,
                    timer.elapsed());

        view.m_addresseeCombo->lineEdit()->clear();
        timer.restart();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"));
        QApplication::sendEvent(view.m_addresseeCombo->lineEdit(), &key);
        QApplication::processEvents();
        std::printf("completion keystroke: %.3f ms (\"%s\")\n", timer.nsecsElapsed() / 1e6,
                    qPrintable(view.m_addresseeCombo->lineEdit()->text()));

        timer.restart();
        view.m_addresseeCombo->showPopup();
        QApplication::processEvents();
        std::printf("list opened in %.1f ms\n", timer.nsecsElapsed() / 1e6);
        view.m_addresseeCombo->hidePopup();

        timer.restart();
        CDeleteDlg dialog(&view);
        dialog.m_pEnvelopeCombo = view.m_envelopeCombo;
        dialog.m_pAddresseeCombo = view.m_addresseeCombo;
        dialog.m_pSenderCombo = view.m_senderCombo;
        dialog.m_pEnvelopes = &view.m_envelopes;
        dialog.m_pSenders = &view.m_senders;
        dialog.m_pAddressees = &view.m_addressees;
        dialog.show();
        QApplication::processEvents();
        std::printf("delete dialog opened in %lld ms\n", timer.elapsed());
        timer.restart();
        dialog.findChild<QPushButton *>(QStringLiteral("1019"))->click();
        std::printf("one addressee deleted in %.1f ms\n", timer.nsecsElapsed() / 1e6);
        dialog.hide();

        // A backup of as many new addressees merged into the list.
        const QString backup = QDir::current().filePath(QStringLiteral("nove.zad"));
        if (!writeAddressBackup(backup, makeEntries("novy", count)))
            return 1;
        FileDialogStub files;
        files.answer = [&backup](const FileDialogRequest &) { return backup; };
        timer.restart();
        view.OnRestoreBackup();
        std::printf("%d addressees restored in %lld ms, the list now %d\n", count, timer.elapsed(),
                    view.m_addresseeCombo->count());
        timer.restart();
    }
    std::printf("stores written at the end in %lld ms\n", timer.elapsed());
    return 0;
}
