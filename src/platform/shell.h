#pragma once

class QUrl;

namespace sweltra::platform {

// Hands a web address to the desktop's browser and returns at once; the outcome is not checked.
void openWebLink(const QUrl &url);

} // namespace sweltra::platform
