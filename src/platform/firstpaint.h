#pragma once

namespace sweltra::platform {

// For the start-up benchmark: when SWELTRA_BENCH_FIRST_PAINT is set, the first window that is
// painted and flushed to the screen prints one line to standard output,
//   first-paint <steady clock in ns> <peak resident memory in kB> <processor time used in us>
// and the program carries on as usual. Without the variable nothing is installed.
void reportFirstPaintIfAsked();

} // namespace sweltra::platform
