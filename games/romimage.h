#pragma once

#include <span>
#include <sys/types.h>

#include <QString>

namespace games {

// A failure of the image access, with everything the user needs to know.
struct ImageError {
    enum class Kind {
        None,
        NotOpen,      // no image is open
        Open,         // the file could not be opened for reading and writing
        Read,         // the operating system refused a read
        Write,        // the operating system refused a write
        OutsideImage, // the bytes asked for lie beyond the end of the file
        Replaced,     // the path no longer names the file that is open
        Refused,      // the program refused the request before touching the file
    };

    Kind kind = Kind::None;
    QString path;    // the file concerned
    QString reason;  // the operating system's or the program's reason
    QString message; // a sentence for the user, naming the file and the reason

    bool isError() const { return kind != Kind::None; }

    static ImageError make(Kind kind, const QString &path, const QString &reason);
};

// The one open ROM image. Every access names its absolute offset; nothing is
// buffered in user space, the file is never created, truncated or lengthened.
class RomImage
{
public:
    // The system call a write goes through; tests put a failing one in its place.
    using WriteFunction = ssize_t (*)(int fd, const void *buffer, size_t count, off_t offset);

    RomImage() = default;
    ~RomImage();
    RomImage(const RomImage &) = delete;
    RomImage &operator=(const RomImage &) = delete;

    // Opens an existing regular file for reading and writing; closes any image
    // open before only when the new one opened.
    ImageError open(const QString &path);
    // Closing when nothing is open does nothing.
    void close();

    bool isOpen() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }
    // The file's current length in bytes; -1 when nothing is open.
    qint64 size() const;

    // Fills out with the bytes at offset; bytes the file lacks read as zero.
    ImageError read(qint64 offset, std::span<quint8> out) const;
    ImageError readByte(qint64 offset, quint8 &value) const;
    // Signed 16-bit little-endian number.
    ImageError readInt16(qint64 offset, qint16 &value) const;

    // Writes one byte inside the file; an offset at or past the end is refused.
    ImageError writeByte(qint64 offset, quint8 value);

    // Fails when the open file was deleted, moved or replaced by another file.
    ImageError checkStillAtPath() const;

    static void setWriteFunctionForTests(WriteFunction function);

private:
    ImageError notOpen() const;

    int m_fd = -1;
    QString m_path;
};

} // namespace games
