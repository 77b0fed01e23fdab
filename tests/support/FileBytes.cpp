#include "FileBytes.h"

#include <QFile>

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

EnvelopeFormat exampleEnvelope()
{
    EnvelopeFormat format;
    format.label = "abc";
    format.width = 16.0f;
    format.height = 12.0f;
    format.addresseeLeft = 9.5f;
    format.addresseeTop = 6.5f;
    format.senderLeft = 1.0f;
    format.senderTop = 1.0f;
    return format;
}

QByteArray exampleEnvelopeStoreBytes()
{
    return QByteArray::fromHex("01000000"
                               "0000D040"
                               "00001841"
                               "03616263"
                               "0000803F"
                               "0000803F"
                               "00008041"
                               "00004041");
}

QByteArray defaultPrintFontBytes()
{
    return QByteArray::fromHex("0C000000"
                               "EE"
                               "10000000"
                               "00"
                               "00"
                               "0F000000") +
           "Times New Roman";
}
