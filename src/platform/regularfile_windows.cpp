#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace sweltra::platform {
namespace {

// Windows opens a device for these names in any folder and with any extension ("nul.rtf"), and
// for any path in the device namespaces.
bool namesDevice(const QString &path) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1String("\\\\.\\")) || native.startsWith(QLatin1String("\\\\?\\")))
        return true;
    const QString stem = QFileInfo(path).fileName().section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList devices = [] {
        QStringList names{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
        for (const char *port : {"COM", "LPT"}) {
            for (const QString digit :
                 {"1", "2", "3", "4", "5", "6", "7", "8", "9", "\u00B9", "\u00B2", "\u00B3"})
                names << QLatin1String(port) + digit;
        }
        return names;
    }();
    return devices.contains(stem);
}

} // namespace

// The type and size are asked of the open handle, so that the file checked is the file read.
OpenOutcome openRegularFile(const QString &path, QFile &file, qint64 &size) {
    if (namesDevice(path))
        return OpenOutcome::Unreadable;
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? OpenOutcome::Missing
                                                                              : OpenOutcome::Unreadable;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER length{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !GetFileSizeEx(handle, &length)) {
        CloseHandle(handle);
        return OpenOutcome::Unreadable;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return OpenOutcome::Unreadable;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return OpenOutcome::Unreadable;
    }
    size = length.QuadPart;
    return OpenOutcome::Opened;
}

} // namespace sweltra::platform
