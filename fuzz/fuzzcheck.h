// Shared by the fuzz targets: turning the fuzzer's bytes into the texts a user
// could type, and a check that stops the run with the failing values.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzing {

// The input as UTF-8 text (invalid sequences become U+FFFD, as they would when
// pasted), split into fields at '|'. Fields past the end are empty, so short
// inputs still fill every field.
inline QStringList fields(const std::uint8_t *data, std::size_t size, int count)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList parts = text.split(u'|');
    while (parts.size() < count)
        parts.append(QString());
    return parts;
}

[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort(); // libFuzzer saves the input as a crash
}

} // namespace fuzzing

// Like assert(), but always on and with printf-style detail.
#define FUZZ_CHECK(condition, ...)                                                                                   \
    do {                                                                                                             \
        if (!(condition)) {                                                                                          \
            std::fprintf(stderr, __VA_ARGS__);                                                                       \
            fuzzing::fail(#condition, __FILE__, __LINE__);                                                           \
        }                                                                                                            \
    } while (0)
