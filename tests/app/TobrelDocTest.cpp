#include "CommonDialogs.h"
#include "CTobrelDoc.h"
#include "MessageBox.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TobrelDocTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    QList<FileDialogRequest> m_requests;
    std::optional<QString> m_answer;

    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_messages.clear();
        m_requests.clear();
        m_answer.reset();
        setMessageBoxHandler(
            [this](QWidget *, const QString &text, const QString &caption, MessageIcon icon) {
                QCOMPARE(icon, MessageIcon::Error);
                m_messages << caption + QLatin1Char('|') + text;
            });
        setFileDialogFunction([this](QWidget *, const FileDialogRequest &request) {
            m_requests << request;
            return m_answer;
        });
    }

    void cleanup()
    {
        setMessageBoxHandler({});
        setFileDialogFunction({});
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
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests[0].mode, FileDialogRequest::Mode::Save);
        QCOMPARE(m_requests[0].defaultName, QStringLiteral("program pro tisk obálek"));
        QFile file(path(QStringLiteral("obalky.dat")));
        QVERIFY(file.exists());
        QCOMPARE(file.size(), 0);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(doc.GetTitle(), QStringLiteral("obalky.dat"));
        QVERIFY(m_messages.isEmpty());
    }

    void cancelledSaveWritesNothing()
    {
        CTobrelDoc doc;
        QVERIFY(doc.OnCmdMsg(57603));
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void failedSaveIsReported()
    {
        CTobrelDoc doc;
        m_answer = path(QStringLiteral("chybí/soubor"));
        doc.OnFileSave();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Chyba|")));
        QVERIFY(m_messages[0].contains(QStringLiteral("soubor")));
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void openedFileIsNotEmptiedWithoutAsking()
    {
        const QString letter = path(QStringLiteral("dopis.txt"));
        QFile file(letter);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Vážený pane,");
        file.close();

        CTobrelDoc doc;
        QVERIFY(doc.OnOpenDocument(letter));
        QCOMPARE(doc.GetTitle(), QStringLiteral("dopis.txt"));
        // The user cancels the question: the opened file keeps its contents.
        doc.OnFileSave();
        QCOMPARE(m_requests.size(), 1);
        QCOMPARE(m_requests[0].defaultName, QStringLiteral("dopis.txt"));
        QCOMPARE(QFileInfo(letter).size(), qint64(12 + 3));
    }

    void openOfAMissingFileFails()
    {
        CTobrelDoc doc;
        QSignalSpy titles(&doc, &CTobrelDoc::titleChanged);
        QVERIFY(!doc.OnOpenDocument(path(QStringLiteral("není.txt"))));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("není.txt")));
        QCOMPARE(titles.count(), 0);
        QCOMPARE(doc.GetTitle(), QStringLiteral("program pro tisk obálek"));
    }

    void newDocumentForgetsTheFile()
    {
        const QString letter = path(QStringLiteral("a.txt"));
        QFile file(letter);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
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
        QVERIFY(m_requests.isEmpty());
    }
};

QTEST_MAIN(TobrelDocTest)
#include "TobrelDocTest.moc"
