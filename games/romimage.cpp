#include "games/romimage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace games {
namespace {

RomImage::WriteFunction g_write = ::pwrite;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ImageError ImageError::make(Kind kind, const QString &path, const QString &reason)
{
    const QString file = QDir::toNativeSeparators(path);
    QString message;
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::NotOpen:
        message = u"No ROM image is open."_s;
        break;
    case Kind::Open:
        message = u"Cannot open %1 for reading and writing:\n%2"_s.arg(file, reason);
        break;
    case Kind::Read:
        message = u"Cannot read %1:\n%2"_s.arg(file, reason);
        break;
    case Kind::Write:
    case Kind::OutsideImage:
    case Kind::Refused:
        message = u"Cannot write %1:\n%2"_s.arg(file, reason);
        break;
    case Kind::Replaced:
        message = u"Cannot write %1:\n%2\nClose the ROM and choose the game again to open the file anew."_s.arg(file, reason);
        break;
    }
    return ImageError{kind, path, reason, message};
}

RomImage::~RomImage()
{
    close();
}

ImageError RomImage::open(const QString &path)
{
    if (path.isEmpty())
        return ImageError::make(ImageError::Kind::Open, path, u"No file was chosen."_s);

    // O_NONBLOCK keeps a FIFO from hanging the open; only regular files are kept.
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return ImageError::make(ImageError::Kind::Open, path, systemReason(errno));

    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return ImageError::make(ImageError::Kind::Open, path, systemReason(error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return ImageError::make(ImageError::Kind::Open, path, u"It is not a regular file."_s);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    close();
    m_fd = fd;
    m_path = path;
    return {};
}

void RomImage::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

qint64 RomImage::size() const
{
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return info.st_size;
}

ImageError RomImage::notOpen() const
{
    return ImageError::make(ImageError::Kind::NotOpen, QString(), QString());
}

ImageError RomImage::read(qint64 offset, std::span<quint8> out) const
{
    if (m_fd < 0)
        return notOpen();
    if (offset < 0)
        return ImageError::make(ImageError::Kind::Read, m_path, u"The offset %1 lies before the start of the file."_s.arg(offset));

    size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(m_fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + qint64(done)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return ImageError::make(ImageError::Kind::Read, m_path, systemReason(errno));
        }
        if (got == 0)
            break; // end of file: the rest reads as zero
        done += static_cast<size_t>(got);
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), quint8(0));
    return {};
}

ImageError RomImage::readByte(qint64 offset, quint8 &value) const
{
    return read(offset, std::span<quint8>(&value, 1));
}

ImageError RomImage::readInt16(qint64 offset, qint16 &value) const
{
    quint8 bytes[2] = {};
    const ImageError error = read(offset, bytes);
    if (!error.isError())
        value = static_cast<qint16>(quint16(bytes[0]) | quint16(bytes[1]) << 8);
    return error;
}

ImageError RomImage::writeByte(qint64 offset, quint8 value)
{
    if (m_fd < 0)
        return notOpen();
    const qint64 length = size();
    if (offset < 0 || offset >= length) {
        return ImageError::make(ImageError::Kind::OutsideImage, m_path,
                                u"The offset 0x%1 lies outside the file (%2 bytes)."_s
                                    .arg(QString::number(offset, 16).toUpper())
                                    .arg(length));
    }
    for (;;) {
        const ssize_t written = g_write(m_fd, &value, 1, static_cast<off_t>(offset));
        if (written == 1)
            return {};
        if (written < 0 && errno == EINTR)
            continue;
        const QString reason = written < 0 ? systemReason(errno) : u"Nothing was written."_s;
        return ImageError::make(ImageError::Kind::Write, m_path, reason);
    }
}

ImageError RomImage::checkStillAtPath() const
{
    if (m_fd < 0)
        return notOpen();
    struct stat opened {};
    struct stat named {};
    if (::fstat(m_fd, &opened) != 0)
        return ImageError::make(ImageError::Kind::Replaced, m_path, systemReason(errno));
    if (::stat(QFile::encodeName(m_path).constData(), &named) != 0) {
        return ImageError::make(ImageError::Kind::Replaced, m_path,
                                u"The file was moved or deleted since it was opened (%1)."_s.arg(systemReason(errno)));
    }
    if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
        return ImageError::make(ImageError::Kind::Replaced, m_path,
                                u"Another file has taken its place since it was opened."_s);
    }
    return {};
}

void RomImage::setWriteFunctionForTests(WriteFunction function)
{
    g_write = function ? function : ::pwrite;
}

} // namespace games
