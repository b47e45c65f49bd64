#pragma once

#include <QString>

namespace sweltra::platform {
struct Printout;
}

namespace sweltra::printing {

// The program's version, as its printouts name it.
QString programVersion();

// The line at the foot of every printed page, beside the page number.
QString pageFooter();

// How this program's printout of a document with this title names itself: the footer above,
// and the program and its version as the maker.
platform::Printout printout(const QString &title);

} // namespace sweltra::printing
