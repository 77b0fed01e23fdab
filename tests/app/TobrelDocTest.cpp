#include "CTobrelDoc.h"
#include "DialogStubs.h"
#include "FileBytes.h"
#include "MessageRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

class TobrelDocTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::optional<MessageRecorder> m_recorder;
    std::optional<FileDialogStub> m_files;
    std::optional<QString> m_answer;

    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_answer.reset();
        m_recorder.emplace();
        m_files.emplace();
        m_files->answer = [this](const FileDialogRequest &) { return m_answer; };
    }

    void cleanup()
    {
        // The document reports nothing but errors.
        for (const RecordedMessage &message : m_recorder->messages)
            QCOMPARE(message.icon, MessageIcon::Error);
        m_recorder.reset();
        m_files.reset();
    }

    void newDocumentHasTheDocumentName()
    {
        CTobrelDoc doc;
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
        QVERIFY(doc.GetPathName().isEmpty());
    }

    void saveAsksAndWritesAnEmptyFile()
    {
        CTobrelDoc doc;
        QSignalSpy titles(&doc, &CTobrelDoc::titleChanged);
        m_answer = path(QStringLiteral("obalky.dat"));
        QVERIFY(doc.OnCmdMsg(57603));
        QCOMPARE(m_files->requests.size(), 1);
        QCOMPARE(m_files->requests[0].mode, FileDialogRequest::Mode::Save);
        QCOMPARE(m_files->requests[0].defaultName, QStringLiteral("program pro tisk obálek"));
        QFile file(path(QStringLiteral("obalky.dat")));
        QVERIFY(file.exists());
        QCOMPARE(file.size(), 0);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(doc.GetTitle(), QStringLiteral("obalky.dat"));
        QVERIFY(m_recorder->messages.isEmpty());
    }

    void cancelledSaveWritesNothing()
    {
        CTobrelDoc doc;
        QVERIFY(doc.OnCmdMsg(57603));
        QCOMPARE(m_files->requests.size(), 1);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void failedSaveIsReported()
    {
        CTobrelDoc doc;
        m_answer = path(QStringLiteral("chybí/soubor"));
        doc.OnFileSave();
        QCOMPARE(m_recorder->messages.size(), 1);
        QCOMPARE(m_recorder->messages[0].caption, QStringLiteral("Tobrel"));
        QVERIFY(m_recorder->messages[0].text.contains(QStringLiteral("soubor")));
        QVERIFY(
            m_recorder->messages[0].text.endsWith(QStringLiteral("\nDůvod: Složka neexistuje.")));
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void openedFileIsNotEmptiedWithoutAsking()
    {
        const QString letter = path(QStringLiteral("dopis.txt"));
        QVERIFY(writeFile(letter, "Vážený pane,"));

        CTobrelDoc doc;
        QVERIFY(doc.OnOpenDocument(letter));
        QCOMPARE(doc.GetTitle(), QStringLiteral("dopis.txt"));
        // The user cancels the question: the opened file keeps its contents.
        doc.OnFileSave();
        QCOMPARE(m_files->requests.size(), 1);
        QCOMPARE(m_files->requests[0].defaultName, QStringLiteral("dopis.txt"));
        QCOMPARE(QFileInfo(letter).size(), qint64(12 + 3));
    }

    void openOfAMissingFileFails()
    {
        CTobrelDoc doc;
        QSignalSpy titles(&doc, &CTobrelDoc::titleChanged);
        QVERIFY(!doc.OnOpenDocument(path(QStringLiteral("není.txt"))));
        QCOMPARE(m_recorder->messages.size(), 1);
        QVERIFY(m_recorder->messages[0].text.contains(QStringLiteral("není.txt")));
        QCOMPARE(m_recorder->messages[0].caption, QStringLiteral("Tobrel"));
        QCOMPARE(titles.count(), 0);
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void newDocumentForgetsTheFile()
    {
        const QString letter = path(QStringLiteral("a.txt"));
        QVERIFY(writeFile(letter, QByteArray()));
        CTobrelDoc doc;
        QVERIFY(doc.OnOpenDocument(letter));
        doc.OnNewDocument();
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
        QVERIFY(doc.GetPathName().isEmpty());
    }

    void otherCommandsAreNotTheDocuments()
    {
        CTobrelDoc doc;
        QVERIFY(!doc.OnCmdMsg(57600));
        QVERIFY(!doc.OnCmdMsg(57601));
        QVERIFY(m_files->requests.isEmpty());
    }
};

QTEST_MAIN(TobrelDocTest)
#include "TobrelDocTest.moc"
