#pragma once

#include <QFile>
#include <QString>

namespace sweltra::platform {

enum class OpenOutcome { Opened, Missing, Unreadable };

// Opens `path` for reading when it is a regular file, and tells its size. Anything else (a
// folder, a FIFO, a device, or on Windows a device name such as CON or a \\.\ path) is refused
// without blocking and without being read.
OpenOutcome openRegularFile(const QString &path, QFile &file, qint64 &size);

} // namespace sweltra::platform
