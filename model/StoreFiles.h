#pragma once

#include "AddressEntryArray.h"
#include "LogFont.h"
#include "SafeFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

class ArchiveReader;
class ArchiveWriter;

inline constexpr char kEnvelopeStoreName[] = "tobrel.ar";
inline constexpr char kAddressStoreName[] = "adresy.ar";
inline constexpr char kPrintFontFileName[] = "pismo.bin";
// The lists of a session whose changes have not reached the stores yet, kept beside them so
// that a crash loses nothing: the bytes of "tobrel.ar" followed by those of "adresy.ar".
inline constexpr char kRecoveryFileName[] = "tobrel-obnova.ar";

// How reading one file went. Damaged: the file exists but could not be read whole; the
// whole entries before the fault were kept (keptEntries of them).
struct LoadReport
{
    enum class State
    {
        Missing,
        Whole,
        Damaged
    };
    State state = State::Missing;
    int keptEntries = 0;
};

// The print font as "pismo.bin" keeps it: selected fields of the record plus whole points.
struct PrintFont
{
    LOGFONT font;
    std::int32_t pointSize = 12;
};
PrintFont defaultPrintFont(); // Times New Roman, 12 points

// Loading appends to what the collections hold and keeps only whole entries.
LoadReport loadEnvelopeStore(const QString &path, EnvelopeFormatArray &envelopes);
LoadReport loadAddressStore(const QString &path, AddressEntryArray &senders,
                            AddressEntryArray &addressees);
LoadReport loadRecoveryStore(const QString &path, EnvelopeFormatArray &envelopes,
                             AddressEntryArray &senders, AddressEntryArray &addressees);
// The recovery file is never read or written through a link at its name.
bool saveRecoveryStore(const QString &path, const EnvelopeFormatArray &envelopes,
                       const AddressEntryArray &senders, const AddressEntryArray &addressees);
// A session that was cut short left changes in the recovery file that the stores lack: until
// the window has offered them back, nothing else may change the stores.
bool unsavedChangesWait();
// Missing, or too short for its fields: font is the default.
LoadReport loadPrintFont(const QString &path, PrintFont &font);

// false when the file could not be written, with the reason in why; the previous file is
// then whole.
bool saveEnvelopeStore(const QString &path, const EnvelopeFormatArray &envelopes,
                       QString *why = nullptr);
bool saveAddressStore(const QString &path, const AddressEntryArray &senders,
                      const AddressEntryArray &addressees, QString *why = nullptr);
bool savePrintFont(const QString &path, const PrintFont &font, QString *why = nullptr);

// path + "." + suffix, numbered (".2" to ".999") when taken; empty when all are.
QString unusedNameBeside(const QString &path, const char *suffix);

// Copies a damaged file aside under a name that says so, before the exit overwrites it.
// Returns the new path, or an empty string when the copy failed.
QString keepDamagedFile(const QString &path);

// Writes a file encoded by encode, chunk by chunk as the bytes come (a long list needs no
// block of its own size), safely as writeFileSafely does.
bool writeArchiveSafely(const QString &path, const std::function<void(ArchiveWriter &)> &encode,
                        QString *why = nullptr, Links links = Links::Follow);

// The list encodings, shared with the backup files: a count, then the entries.
void writeEnvelopeList(ArchiveWriter &out, const EnvelopeFormatArray &envelopes);
void writeAddressList(ArchiveWriter &out, const AddressEntryArray &entries);
// Read a count and as many whole entries as there are, handing each to sink; false when
// the list ended early or an entry could not be read whole. expect is told first how many
// entries are coming, at most as many as the bytes left can hold. Addresses come as views of
// the reader's bytes.
bool readEnvelopeList(ArchiveReader &in, const std::function<void(EnvelopeFormat &&)> &sink,
                      const std::function<void(int count)> &expect = {});
bool readAddressList(ArchiveReader &in, const std::function<void(AddressView &&)> &sink,
                     const std::function<void(int count)> &expect = {});
