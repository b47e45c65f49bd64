#pragma once

#include <QString>

namespace sweltra::platform {

// The folder that holds the running program, as Qt reports it.
QString programFolder();

// Points programFolder() elsewhere (tests); an empty text restores the real folder.
void setProgramFolderForTesting(const QString &folder);

} // namespace sweltra::platform
