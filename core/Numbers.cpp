#include "core/Numbers.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace velmora
{

namespace
{

constexpr int kSignificantDigits = 15;

// Decimal digits of |value| with 15 significant digits: "d.dddd...e±X" split
// into the digit string and the decimal exponent of its first digit.
struct DecimalDigits {
    QByteArray digits; // without leading zeros, at most 15
    int exponent = 0; // value = 0.d1d2d3... × 10^(exponent + 1)
    bool negative = false;
};

DecimalDigits decimalDigits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
    DecimalDigits result;
    const char *p = buffer;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.')
            result.digits.append(*p);
    }
    result.exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    while (result.digits.size() > 1 && result.digits.endsWith('0'))
        result.digits.chop(1);
    return result;
}

} // namespace

double fieldNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QByteArray literal;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        literal.append(char(text[i].unicode()));
        ++i;
    }
    bool digitSeen = false;
    bool pointSeen = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            literal.append(char(c.unicode()));
            digitSeen = true;
        } else if (c == u'.' && !pointSeen) {
            literal.append('.');
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;
    // An exponent part, as the program itself writes beyond 1e15 ("1.5E+20").
    if (i + 1 < n && (text[i] == u'E' || text[i] == u'e')) {
        qsizetype j = i + 1;
        QByteArray exponent = "e";
        if (text[j] == u'+' || text[j] == u'-')
            exponent.append(char(text[j++].unicode()));
        const qsizetype firstDigit = j;
        while (j < n && text[j] >= u'0' && text[j] <= u'9' && j - firstDigit < 6)
            exponent.append(char(text[j++].unicode()));
        if (j > firstDigit)
            literal += exponent;
    }
    const double value = std::strtod(literal.constData(), nullptr);
    if (std::isinf(value))
        return std::copysign(std::numeric_limits<double>::max(), value);
    return value;
}

bool isEmptyNumber(QStringView text)
{
    return !(fieldNumber(text.trimmed()) > 0.0);
}

bool isFilled(QStringView text)
{
    return !text.trimmed().isEmpty();
}

bool isNumberKey(QChar key)
{
    const char16_t c = key.unicode();
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u' ' || c == 8 || c == 13 || c == 27;
}

bool isNumberText(QStringView text)
{
    const auto typable = [](QChar c) { return c.unicode() >= u' ' && isNumberKey(c); };
    return std::all_of(text.begin(), text.end(), typable) && text.count(u'.') <= 1;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0.0)
        return QStringLiteral("0");
    const DecimalDigits d = decimalDigits(value);
    QString out;
    if (d.negative)
        out += u'-';
    const QString digits = QString::fromLatin1(d.digits);
    if (d.exponent >= kSignificantDigits) {
        out += digits.left(1);
        if (digits.size() > 1)
            out += u'.' + digits.mid(1);
        out += QStringLiteral("E+") + QString::number(d.exponent);
        return out;
    }
    if (d.exponent < 0) {
        out += QStringLiteral("0.") + QString(-d.exponent - 1, u'0') + digits;
        return out;
    }
    const int integerDigits = d.exponent + 1;
    if (digits.size() <= integerDigits) {
        out += digits + QString(integerDigits - digits.size(), u'0');
    } else {
        out += digits.left(integerDigits) + u'.' + digits.mid(integerDigits);
    }
    return out;
}

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value) || value == 0.0)
        return value;
    const DecimalDigits d = decimalDigits(value);
    // Position of the last kept digit within d.digits.
    const int keep = d.exponent + 1 + decimals;
    if (keep >= d.digits.size())
        return value; // nothing beyond the kept decimals
    if (keep < 0)
        return d.negative ? -0.0 : 0.0;
    QByteArray kept = d.digits.left(keep);
    const QByteArray dropped = d.digits.mid(keep);
    bool roundUp = false;
    if (dropped[0] > '5') {
        roundUp = true;
    } else if (dropped[0] == '5') {
        const bool exactHalf = dropped.size() == 1;
        const bool lastOdd = !kept.isEmpty() && ((kept.back() - '0') % 2 == 1);
        roundUp = !exactHalf || lastOdd;
    }
    int exponent = d.exponent;
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') {
            kept[i] = '0';
            --i;
        }
        if (i >= 0) {
            kept[i] = char(kept[i] + 1);
        } else {
            kept.prepend('1');
            ++exponent;
        }
    }
    if (kept.isEmpty())
        return d.negative ? -0.0 : 0.0;
    QByteArray literal = d.negative ? "-0." : "0.";
    literal += kept;
    literal += 'e';
    literal += QByteArray::number(exponent + 1);
    return std::strtod(literal.constData(), nullptr);
}

std::optional<QString> printedNumber(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0.0)
        value = 0.0; // no "-0"
    const QString text = numberText(value);
    return (value < 0 ? QString() : QStringLiteral(" ")) + text + u' ';
}

std::optional<int> wholeNumber(double value)
{
    const double rounded = r0(value);
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<int>::min())
        || rounded > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(rounded);
}

} // namespace velmora
