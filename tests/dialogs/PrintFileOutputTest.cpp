#include "PrintFileOutput.h"
#include "FileBytes.h"
#include "MessageRecorder.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// "Print to file": the chosen file is replaced only by a whole PDF.
class PrintFileOutputTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void olderFileStaysUnlessWhole_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("none") << "";
        QTest::newRow("cut short") << "cut";
        QTest::newRow("a byte lost in the middle") << "hole";
        QTest::newRow("a pipe at the name") << "pipe";
    }

    void olderFileStaysUnlessWhole()
    {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString target = dir.filePath("obalky.pdf");
        if (fault == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else
            QVERIFY(writeFile(target, "older"));
        MessageRecorder messages;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
        {
            PrintFileOutput output(printer);
            QCOMPARE(output.ready(), fault != "pipe");
            if (output.ready()) {
                QPainter painter(&printer);
                painter.drawText(100, 100, QStringLiteral("Adresát"));
                painter.end();
                QByteArray pdf = readFile(printer.outputFileName());
                QVERIFY(pdf.endsWith("%%EOF\n"));
                if (fault == "cut")
                    pdf.chop(200);
                if (fault == "hole")
                    pdf.remove(pdf.size() / 2, 1);
                QVERIFY(writeFile(printer.outputFileName(), pdf));
            }
            output.commit(nullptr);
        }
        QCOMPARE(printer.outputFileName(), target);
        QCOMPARE(messages.messages.size(), fault.isEmpty() ? 0 : 1);
        if (fault.isEmpty())
            QVERIFY(readFile(target).startsWith("%PDF"));
        else if (fault != "pipe")
            QCOMPARE(readFile(target), QByteArray("older"));
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{"obalky.pdf"});
    }
};

QTEST_MAIN(PrintFileOutputTest)
#include "PrintFileOutputTest.moc"
