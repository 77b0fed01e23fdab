#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// Writes one chunk of a file's bytes; false when it could not.
using ChunkWriter = std::function<bool(QByteArrayView chunk)>;

// A symbolic link at a file's name is followed for the files a user may keep elsewhere on
// purpose (the stores, exports, PDFs) and refused for the program's own files beside the
// stores, which anyone who can write to a shared folder could otherwise redirect.
enum class Links
{
    Follow,
    Refuse
};

enum class FileReadStatus
{
    Missing,
    Read,
    Unreadable
};
struct FileContents
{
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
    int error = 0; // why it is not Read: the system's error code
};
// Paths go to the system as bytes (QFile::encodeName), so that a folder whose name is not
// valid UTF-8 still works when it is reached by a relative path; the byte forms serve
// paths whose bytes a QString cannot carry. Only a regular file is read: a pipe or a
// device would wait or never end.
FileContents readWholeFile(const QString &path, Links links = Links::Follow);
FileContents readWholeFile(const QByteArray &nativePath, Links links = Links::Follow);

// The temporary files of the writer below: hidden, and named as no person would name a file,
// so that removing those a crash left behind never takes one of the user's.
inline constexpr char kPendingFilePrefix[] = ".tobrel-uloz-";

// A new file beside the target (beside the file a followed link points at) that replaces the
// target only when commit() finds it written and on the disk; until then, and whenever a
// step fails, the target stays as it was. Writing goes through write() or, for code that
// wants a file name of its own (a printer's output file), through path().
class PendingFile
{
public:
    explicit PendingFile(const QByteArray &target, Links links = Links::Follow);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const QByteArray &path() const { return m_path; }
    bool write(QByteArrayView bytes);
    bool commit();
    // Why the file could not be made, written or put in place, in Czech.
    const QString &errorText() const { return m_error; }

private:
    bool fail(int error);
    void discard();

    QByteArray m_target;
    QByteArray m_path;
    int m_fd = -1;
    bool m_failed = false;
    QString m_error;
};

// Writes a file through a PendingFile: on any failure (a full disk, a size limit too) the
// previous file stays whole, false comes back, and why is set to the reason in Czech. Not
// QSaveFile: it makes a relative name absolute through text, which fails in a folder whose
// name is not valid UTF-8, and follows a link at the name of the temporary file.
bool writeFileSafely(const QString &path, QByteArrayView bytes, QString *why = nullptr,
                     Links links = Links::Follow);
bool writeFileSafely(const QByteArray &nativePath, QByteArrayView bytes, QString *why = nullptr,
                     Links links = Links::Follow);
// The same with the bytes made as they are written: produce hands them to the writer it is
// given and returns whether all were written.
bool writeFileSafely(const QString &path, const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why = nullptr, Links links = Links::Follow);
bool writeFileSafely(const QByteArray &nativePath,
                     const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why = nullptr, Links links = Links::Follow);
