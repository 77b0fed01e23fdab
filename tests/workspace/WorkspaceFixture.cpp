#include "WorkspaceFixture.h"

#include "Cp1250.h"
#include "CTobrelView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

WorkspaceFixture::WorkspaceFixture() : m_previousDirectory(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    setMessageBoxHandler(
        [this](QWidget *, const QString &text, const QString &caption, MessageIcon icon) {
            messages.append({text, caption, icon});
        });
}

WorkspaceFixture::~WorkspaceFixture()
{
    setMessageBoxHandler({});
    QDir::setCurrent(m_previousDirectory);
}

QString WorkspaceFixture::path(const QString &fileName) const
{
    return m_dir.filePath(fileName);
}

void WorkspaceFixture::writeFile(const QString &fileName, const QByteArray &bytes) const
{
    QFile file(path(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray WorkspaceFixture::readFile(const QString &fileName) const
{
    QFile file(path(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::unique_ptr<CTobrelView> WorkspaceFixture::startView()
{
    auto view = std::make_unique<CTobrelView>();
    view->resize(900, 600);
    view->OnInitialUpdate();
    // Damaged stores are reported once the event loop runs.
    QCoreApplication::processEvents();
    return view;
}

std::string cp1250(const char *utf8)
{
    return toCp1250(QString::fromUtf8(utf8)).value();
}

EnvelopeFormat envelope(const char *label, float width, float height, float senderLeft,
                        float senderTop, float addresseeLeft, float addresseeTop)
{
    EnvelopeFormat format;
    format.label = cp1250(label);
    format.width = width;
    format.height = height;
    format.senderLeft = senderLeft;
    format.senderTop = senderTop;
    format.addresseeLeft = addresseeLeft;
    format.addresseeTop = addresseeTop;
    return format;
}

AddressEntry address(const char *label, const char *text)
{
    AddressEntry entry;
    entry.label = cp1250(label);
    entry.text = cp1250(text);
    return entry;
}

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}
