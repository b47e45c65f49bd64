#pragma once

// Tests that read data kept outside the repository must not pass on nothing: without the data
// they skip and say what is missing; where the data is required (SWELTRA_REQUIRE_CORPUS=1, as
// in CI) they fail instead.
#include <QTest>

namespace sweltra::testing {

inline bool externalDataRequired() {
    return qEnvironmentVariable("SWELTRA_REQUIRE_CORPUS") == QLatin1String("1");
}

} // namespace sweltra::testing

// Ends the current test function: a failure when the data is required, a skip otherwise. The
// words "data missing" let CTest report the skip (SKIP_REGULAR_EXPRESSION in tests/CMakeLists.txt).
#define SWELTRA_DATA_MISSING(what)                                                                           \
    do {                                                                                                     \
        const QString sweltraMissing = QStringLiteral("data missing: ") + (what);                            \
        if (sweltra::testing::externalDataRequired())                                                        \
            QFAIL(qPrintable(sweltraMissing));                                                               \
        QSKIP(qPrintable(sweltraMissing));                                                                   \
    } while (false)
