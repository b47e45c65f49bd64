#pragma once

class QComboBox;

namespace sweltra::platform {

// Lets the list's edit field show only what a pick puts there: one of the list's entries, or
// nothing. Text that arrives any other way (paste by key, middle click or context menu, drop,
// input method) is refused and the field keeps its text. Removing characters, as Delete does,
// stays possible.
void acceptEntriesOnly(QComboBox *list);

} // namespace sweltra::platform
