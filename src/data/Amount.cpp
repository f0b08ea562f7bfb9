#include "data/Amount.h"

#include "platform/RuntimeError.h"

namespace purslet {

namespace {
[[noreturn]] void overflow()
{
    throw RuntimeError(RuntimeError::Overflow);
}

enum class ParseResult { Ok, NotANumber, OutOfRange };

ParseResult parseAmount(QStringView text, qint64 &raw)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (i < n && isBlank(text[i]))
        ++i;
    qsizetype end = n;
    while (end > i && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Accumulate as a negative number so that the smallest value fits.
    qint64 acc = 0;
    bool anyDigit = false;
    bool outOfRange = false;
    for (; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            anyDigit = true;
            if (outOfRange)
                continue;
            if (__builtin_mul_overflow(acc, qint64(10), &acc) || __builtin_sub_overflow(acc, qint64(c - u'0'), &acc))
                outOfRange = true;
        } else if (c == u',') {
            if (!anyDigit)
                return ParseResult::NotANumber;
        } else {
            break;
        }
    }
    qint64 fraction = 0; // in units of 1/10,000, negative
    if (i < end && text[i] == QLatin1Char('.')) {
        ++i;
        int digits = 0;
        int roundDigit = -1;
        for (; i < end; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return ParseResult::NotANumber;
            anyDigit = true;
            if (digits < 4) {
                fraction = fraction * 10 - (c - u'0');
                ++digits;
            } else if (roundDigit < 0) {
                roundDigit = c - u'0';
            }
        }
        for (; digits < 4; ++digits)
            fraction *= 10;
        if (roundDigit >= 5)
            fraction -= 1;
    }
    if (i != end || !anyDigit)
        return ParseResult::NotANumber;
    if (outOfRange)
        return ParseResult::OutOfRange;
    qint64 value;
    if (__builtin_mul_overflow(acc, Amount::Scale, &value) || __builtin_add_overflow(value, fraction, &value))
        return ParseResult::OutOfRange;
    if (!negative) {
        if (value == std::numeric_limits<qint64>::min())
            return ParseResult::OutOfRange;
        value = -value;
    }
    raw = value;
    return ParseResult::Ok;
}
} // namespace

Amount Amount::fromYen(qint64 yen)
{
    qint64 raw;
    if (__builtin_mul_overflow(yen, Scale, &raw))
        overflow();
    return fromRaw(raw);
}

Amount Amount::parse(QStringView text)
{
    qint64 raw = 0;
    switch (parseAmount(text, raw)) {
    case ParseResult::Ok: return fromRaw(raw);
    case ParseResult::OutOfRange: overflow();
    case ParseResult::NotANumber: break;
    }
    throw RuntimeError(RuntimeError::TypeMismatch);
}

bool Amount::tryParse(QStringView text, Amount &out)
{
    qint64 raw = 0;
    if (parseAmount(text, raw) != ParseResult::Ok)
        return false;
    out = fromRaw(raw);
    return true;
}

qint64 Amount::roundedYen() const
{
    const qint64 whole = m_raw / Scale;
    const qint64 rest = m_raw % Scale;
    if (rest >= Scale / 2)
        return whole + 1;
    if (rest <= -Scale / 2)
        return whole - 1;
    return whole;
}

Amount Amount::operator+(Amount other) const
{
    qint64 raw;
    if (__builtin_add_overflow(m_raw, other.m_raw, &raw))
        overflow();
    return fromRaw(raw);
}

Amount Amount::operator-(Amount other) const
{
    qint64 raw;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &raw))
        overflow();
    return fromRaw(raw);
}

} // namespace purslet
