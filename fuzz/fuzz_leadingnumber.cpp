// Fuzz target: the leading number of any text a user could type or paste, and
// its rounding into the 16-bit integers of the date and the bars.
#include "common/numbers.h"
#include "fuzzcheck.h"

#include <cmath>

namespace {
QString withoutBlanks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            out.append(c);
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = lumora::leadingNumber(text);

    // Whatever the text, the result is a number the rest of the program can use.
    FUZZ_CHECK(std::isfinite(value), "leadingNumber gave %g\n", value);

    // Blanks do not count wherever they stand.
    const double compact = lumora::leadingNumber(withoutBlanks(text));
    FUZZ_CHECK(compact == value, "with blanks %.17g, without %.17g\n", value, compact);

    // Reading stops at the first character that cannot continue the number, so
    // nothing after it matters.
    const double extended = lumora::leadingNumber(text + u'#' + text);
    FUZZ_CHECK(extended == value, "alone %.17g, followed by more text %.17g\n", value, extended);

    // Nearest integer, halves to even, or a refusal outside 16 bits.
    const auto rounded = lumora::roundToInt16(value);
    if (rounded) {
        const double gap = std::fabs(double(*rounded) - value);
        FUZZ_CHECK(gap <= 0.5, "%.17g rounded to %d\n", value, int(*rounded));
        FUZZ_CHECK(gap < 0.5 || *rounded % 2 == 0, "tie %.17g rounded to odd %d\n", value, int(*rounded));
    } else {
        FUZZ_CHECK(value <= -32768.5 || value >= 32767.5, "%.17g refused although it fits 16 bits\n", value);
    }
    return 0;
}
