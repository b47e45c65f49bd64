#include "platform/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sweltra::platform {

// Opened non-blocking and checked on the open descriptor, so that a FIFO or a device never blocks
// and the file checked is the file read.
OpenOutcome openRegularFile(const QString &path, QFile &file, qint64 &size) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? OpenOutcome::Missing : OpenOutcome::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return OpenOutcome::Unreadable;
    }
    size = info.st_size;
    return OpenOutcome::Opened;
}

} // namespace sweltra::platform
