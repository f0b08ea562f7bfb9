#pragma once

#include <QString>
#include <QtGlobal>

namespace purslet {

// Money: a signed 64-bit fixed-point number with four decimals (value x 10,000).
// Every operation checks for overflow and throws RuntimeError 6.
class Amount final
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Amount() = default;
    static Amount fromRaw(qint64 raw) { Amount a; a.m_raw = raw; return a; }
    static Amount fromYen(qint64 yen); // throws on overflow

    // Parses an amount text: optional blanks, an optional leading "-", digits with
    // optional "," groups, optional "." and up to four decimals (more are rounded).
    // Throws RuntimeError 13 for a text that is not a number, 6 when out of range.
    static Amount parse(QStringView text);
    // Same without throwing; false for a text that is not a number or out of range.
    static bool tryParse(QStringView text, Amount &out);

    qint64 raw() const { return m_raw; }
    bool isZero() const { return m_raw == 0; }
    bool isNegative() const { return m_raw < 0; }
    // Whole yen, rounded half away from zero.
    qint64 roundedYen() const;
    double toDouble() const { return double(m_raw) / double(Scale); }

    Amount operator+(Amount other) const;
    Amount operator-(Amount other) const;
    Amount &operator+=(Amount other) { return *this = *this + other; }
    Amount &operator-=(Amount other) { return *this = *this - other; }

    friend bool operator==(Amount a, Amount b) { return a.m_raw == b.m_raw; }
    friend auto operator<=>(Amount a, Amount b) { return a.m_raw <=> b.m_raw; }

private:
    qint64 m_raw = 0;
};

} // namespace purslet
