#include "StoreFiles.h"

#include "Archive.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <future>

namespace {

bool readEnvelope(ArchiveReader &in, EnvelopeFormat &envelope)
{
    return in.readFloat(envelope.addresseeTop) && in.readFloat(envelope.addresseeLeft) &&
           in.readString(envelope.label) && in.readFloat(envelope.senderTop) &&
           in.readFloat(envelope.senderLeft) && in.readFloat(envelope.width) &&
           in.readFloat(envelope.height);
}

bool readAddress(ArchiveReader &in, AddressView &entry)
{
    return in.readString(entry.label) && in.readString(entry.text);
}

// Reads a count and whole entries; the count only bounds the loop, so a hostile count
// costs nothing beyond the bytes that are really there.
template <typename T>
bool readList(ArchiveReader &in, bool (*readEntry)(ArchiveReader &, T &), qsizetype smallestEntry,
              const std::function<void(T &&)> &sink, const std::function<void(int)> &expect)
{
    std::int32_t count = 0;
    if (!in.readInt32(count))
        return false;
    if (expect && count > 0)
        expect(int(std::min<qsizetype>(count, in.remaining() / smallestEntry)));
    for (std::int32_t i = 0; i < count; ++i) {
        T entry;
        if (!readEntry(in, entry))
            return false;
        sink(std::move(entry));
    }
    return true;
}

// Moves past a whole list of addresses; false if it is not whole.
bool skipAddressList(ArchiveReader &in)
{
    std::int32_t count = 0;
    if (!in.readInt32(count))
        return false;
    for (std::int32_t i = 0; i < count; ++i)
        if (!in.skipString() || !in.skipString())
            return false;
    return true;
}

auto appendTo(EnvelopeFormatArray &array, int &kept)
{
    return [&array, &kept](EnvelopeFormat &&entry) {
        array.Append(std::move(entry));
        ++kept;
    };
}

// Addresses stay where they are in the file's bytes, which their list keeps.
auto appendTo(AddressEntryArray &array, const ArchiveReader &in, int &kept)
{
    array.Keep(in.bytes());
    return [&array, &kept](AddressView &&entry) {
        array.AppendKept(entry);
        ++kept;
    };
}

// Room for the entries the file can hold, so a long list is not moved while it grows.
template <typename Array> auto makeRoomIn(Array &array)
{
    return [&array](int count) { array.Reserve(array.GetSize() + count); };
}

LoadReport::State stateAfterReading(bool whole, const ArchiveReader &in)
{
    // Bytes after the last list are not ours to drop silently either.
    return whole && in.atEnd() ? LoadReport::State::Whole : LoadReport::State::Damaged;
}

std::size_t faceNameLength(const LOGFONT &font)
{
    const void *zero = std::memchr(font.lfFaceName, 0, LF_FACESIZE - 1);
    return zero ? std::size_t(static_cast<const char *>(zero) - font.lfFaceName)
                : std::size_t(LF_FACESIZE - 1);
}

} // namespace

PrintFont defaultPrintFont()
{
    PrintFont font;
    InitDefaultLogFont(font.font);
    font.pointSize = 12;
    return font;
}

namespace {
// A list store: missing is silent; anything but a whole read is damage, with the entries
// that read (in, kept) appended before the fault.
template <typename Read>
LoadReport loadListStore(const QString &path, Read read, Links links = Links::Follow)
{
    LoadReport report;
    const FileContents contents = readWholeFile(path, links);
    if (contents.status == FileReadStatus::Missing)
        return report;
    report.state = LoadReport::State::Damaged;
    if (contents.status == FileReadStatus::Unreadable)
        return report;
    ArchiveReader in(contents.bytes);
    const bool whole = read(in, report.keptEntries);
    report.state = stateAfterReading(whole, in);
    return report;
}
} // namespace

LoadReport loadEnvelopeStore(const QString &path, EnvelopeFormatArray &envelopes)
{
    return loadListStore(path, [&envelopes](ArchiveReader &in, int &kept) {
        return readEnvelopeList(in, appendTo(envelopes, kept), makeRoomIn(envelopes));
    });
}

LoadReport loadAddressStore(const QString &path, AddressEntryArray &senders,
                            AddressEntryArray &addressees)
{
    return loadListStore(path, [&senders, &addressees](ArchiveReader &in, int &kept) {
        // The addressees begin where the senders end: when the senders are whole, the two
        // lists are decoded side by side.
        ArchiveReader addresseesIn = in;
        if (!skipAddressList(addresseesIn))
            return readAddressList(in, appendTo(senders, in, kept), makeRoomIn(senders)) &&
                   readAddressList(in, appendTo(addressees, in, kept), makeRoomIn(addressees));
        int keptAddressees = 0;
        auto addresseesRead = std::async(std::launch::async, [&] {
            return readAddressList(addresseesIn, appendTo(addressees, addresseesIn, keptAddressees),
                                   makeRoomIn(addressees));
        });
        const bool sendersWhole =
            readAddressList(in, appendTo(senders, in, kept), makeRoomIn(senders));
        const bool addresseesWhole = addresseesRead.get();
        kept += keptAddressees;
        in = addresseesIn;
        return sendersWhole && addresseesWhole;
    });
}

LoadReport loadRecoveryStore(const QString &path, EnvelopeFormatArray &envelopes,
                             AddressEntryArray &senders, AddressEntryArray &addressees)
{
    return loadListStore(
        path,
        [&](ArchiveReader &in, int &kept) {
            return readEnvelopeList(in, appendTo(envelopes, kept), makeRoomIn(envelopes)) &&
                   readAddressList(in, appendTo(senders, in, kept), makeRoomIn(senders)) &&
                   readAddressList(in, appendTo(addressees, in, kept), makeRoomIn(addressees));
        },
        Links::Refuse);
}

bool saveRecoveryStore(const QString &path, const EnvelopeFormatArray &envelopes,
                       const AddressEntryArray &senders, const AddressEntryArray &addressees)
{
    return writeArchiveSafely(
        path,
        [&](ArchiveWriter &out) {
            writeEnvelopeList(out, envelopes);
            writeAddressList(out, senders);
            writeAddressList(out, addressees);
        },
        nullptr, Links::Refuse);
}

LoadReport loadPrintFont(const QString &path, PrintFont &font)
{
    LoadReport report;
    font = defaultPrintFont();
    const FileContents contents = readWholeFile(path);
    if (contents.status == FileReadStatus::Missing)
        return report;
    report.state = LoadReport::State::Damaged;
    PrintFont read;
    std::memset(&read.font, 0, sizeof read.font);
    ArchiveReader in(contents.bytes);
    std::int32_t faceLength = 0;
    std::string face;
    if (contents.status != FileReadStatus::Read || !in.readInt32(read.pointSize) ||
        !in.readByte(read.font.lfCharSet) || !in.readInt32(read.font.lfHeight) ||
        !in.readByte(read.font.lfStrikeOut) || !in.readByte(read.font.lfUnderline) ||
        !in.readInt32(faceLength) || !in.readRawBytes(faceLength, face))
        return report;
    // Up to the first zero byte, and no longer than the record's field can hold.
    const std::string_view name(face.c_str());
    std::memcpy(read.font.lfFaceName, name.data(),
                std::min(name.size(), std::size_t(LF_FACESIZE - 1)));
    // The record is read field by field; bytes after it are no part of it and are ignored.
    font = read;
    report.state = LoadReport::State::Whole;
    report.keptEntries = 1;
    return report;
}

bool saveEnvelopeStore(const QString &path, const EnvelopeFormatArray &envelopes, QString *why)
{
    return writeArchiveSafely(
        path, [&](ArchiveWriter &out) { writeEnvelopeList(out, envelopes); }, why);
}

bool saveAddressStore(const QString &path, const AddressEntryArray &senders,
                      const AddressEntryArray &addressees, QString *why)
{
    return writeArchiveSafely(
        path,
        [&](ArchiveWriter &out) {
            writeAddressList(out, senders);
            writeAddressList(out, addressees);
        },
        why);
}

bool writeArchiveSafely(const QString &path, const std::function<void(ArchiveWriter &)> &encode,
                        QString *why, Links links)
{
    return writeFileSafely(
        path,
        [&encode](const ChunkWriter &write) {
            ArchiveWriter out(write);
            encode(out);
            return out.finish();
        },
        why, links);
}

bool savePrintFont(const QString &path, const PrintFont &font, QString *why)
{
    ArchiveWriter out;
    out.writeInt32(font.pointSize);
    out.writeByte(font.font.lfCharSet);
    out.writeInt32(font.font.lfHeight);
    out.writeByte(font.font.lfStrikeOut);
    out.writeByte(font.font.lfUnderline);
    const std::size_t length = faceNameLength(font.font);
    out.writeInt32(std::int32_t(length));
    out.writeRawBytes(std::string_view(font.font.lfFaceName, length));
    return writeFileSafely(path, out.bytes(), why);
}

QString unusedNameBeside(const QString &path, const char *suffix)
{
    const QString base = path + QLatin1Char('.') + QLatin1String(suffix);
    QString target = base;
    for (int number = 2; QFile::exists(target); ++number) {
        if (number > 999)
            return {};
        target = base + QLatin1Char('.') + QString::number(number);
    }
    return target;
}

QString keepDamagedFile(const QString &path)
{
    const QString target = unusedNameBeside(path, "poskozeny");
    if (target.isEmpty())
        return {};
    // Read and written whole rather than by QFile::copy, which goes through the absolute
    // path and so fails in a folder whose name is not valid UTF-8.
    const FileContents contents = readWholeFile(path);
    if (contents.status != FileReadStatus::Read || !writeFileSafely(target, contents.bytes))
        return {};
    return target;
}

void writeEnvelopeList(ArchiveWriter &out, const EnvelopeFormatArray &envelopes)
{
    out.writeInt32(envelopes.GetSize());
    for (int i = 0; i < envelopes.GetSize(); ++i) {
        const EnvelopeFormat &envelope = envelopes.ElementAt(i);
        out.writeFloat(envelope.addresseeTop);
        out.writeFloat(envelope.addresseeLeft);
        out.writeString(envelope.label);
        out.writeFloat(envelope.senderTop);
        out.writeFloat(envelope.senderLeft);
        out.writeFloat(envelope.width);
        out.writeFloat(envelope.height);
    }
}

void writeAddressList(ArchiveWriter &out, const AddressEntryArray &entries)
{
    out.writeInt32(entries.GetSize());
    for (int i = 0; i < entries.GetSize(); ++i) {
        const AddressView entry = entries.ElementAt(i);
        out.writeString(entry.label);
        out.writeString(entry.text);
    }
}

bool readEnvelopeList(ArchiveReader &in, const std::function<void(EnvelopeFormat &&)> &sink,
                      const std::function<void(int)> &expect)
{
    // Six lengths and a label's one-byte length.
    return readList<EnvelopeFormat>(in, readEnvelope, 6 * 4 + 1, sink, expect);
}

bool readAddressList(ArchiveReader &in, const std::function<void(AddressView &&)> &sink,
                     const std::function<void(int)> &expect)
{
    // Two one-byte string lengths.
    return readList<AddressView>(in, readAddress, 2, sink, expect);
}

bool unsavedChangesWait()
{
    // A link by that name is not the program's file: the window reports it.
    const QFileInfo file(QString::fromLatin1(kRecoveryFileName));
    return file.isFile() && !file.isSymLink();
}
