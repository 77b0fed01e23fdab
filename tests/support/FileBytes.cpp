#include "FileBytes.h"

#include "Texts.h"

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
    return envelope("abc", 16.0f, 12.0f, 1.0f, 1.0f, 9.5f, 6.5f);
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
