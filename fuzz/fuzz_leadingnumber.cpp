// Fuzz target: the leading number of any text a user could type or paste, and
// its rounding into the 16-bit integers of the date and the bars.
#include "common/numbers.h"
#include "fuzzcheck.h"

FUZZ_TARGET
{
    const QString text = fuzzFields(data, size, 1).join(u'|');
    const double value = lumora::leadingNumber(text);
    // Whatever the text, a finite number; blanks do not count wherever they
    // stand, and reading stops at the first character that cannot continue
    // the number, so nothing after it matters.
    QString compact = text;
    compact.remove(u' ').remove(u'\t').remove(u'\r').remove(u'\n');
    const double without = lumora::leadingNumber(compact), extended = lumora::leadingNumber(text + u'#' + text);
    FUZZ_CHECK(std::isfinite(value) && without == value && extended == value, "%.17g, without blanks %.17g, "
               "followed by more text %.17g\n", value, without, extended);
    // Nearest integer, halves to even, or a refusal outside 16 bits.
    if (const auto rounded = lumora::roundToInt16(value)) {
        const double gap = std::fabs(double(*rounded) - value);
        FUZZ_CHECK(gap < 0.5 || (gap == 0.5 && *rounded % 2 == 0), "%.17g rounded to %d\n", value, int(*rounded));
    } else {
        FUZZ_CHECK(value <= -32768.5 || value >= 32767.5, "%.17g refused although it fits 16 bits\n", value);
    }
    return 0;
}
