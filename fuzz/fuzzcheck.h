// Shared by the fuzz targets: the fuzzer's bytes as the texts a user could
// type, a check that stops the run with the failing values, and the range of
// a solar position.
#pragma once

#include "astro/solarposition.h"

#include <QStringList>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The input as UTF-8 text (invalid sequences become U+FFFD, as they would when
// pasted), split into fields at '|'; fields past the end are empty.
inline QStringList fuzzFields(const std::uint8_t *data, std::size_t size, int count)
{
    QStringList parts = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'|');
    while (parts.size() < count)
        parts.append(QString());
    return parts;
}

inline bool sunInRange(const lumora::SunPosition &sun)
{
    return sun.azimuth >= 0 && sun.azimuth <= 360 && sun.elevation >= -90 && sun.elevation <= 90; // false for NaN
}

// Like assert(), but always on and with printf-style detail; libFuzzer saves the input as a crash.
#define FUZZ_CHECK(condition, ...)                                                                                   \
    do {                                                                                                             \
        if (!(condition)) {                                                                                          \
            std::fprintf(stderr, __VA_ARGS__);                                                                       \
            std::fprintf(stderr, "\n%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                    \
            std::abort();                                                                                            \
        }                                                                                                            \
    } while (0)

#define FUZZ_TARGET extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
