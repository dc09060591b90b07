// Performance texts: reading, writing, checking, the third digit and the wind.

#include "meeting/itemtypes.h"

#include "base/messages.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace meeting {

namespace {

constexpr QChar kCR = QLatin1Char('\r');

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A decimal number: optional blanks, an optional sign, digits with at most one point
// (".5" and "5." included), optional blanks. No exponent, no thousands separator.
std::optional<double> readNumber(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    std::string ascii = "0";
    bool sawPoint = false;
    bool sawDigit = false;
    for (QChar c : text) {
        if (isDigit(c)) {
            sawDigit = true;
        } else if (c == QLatin1Char('.') && !sawPoint) {
            sawPoint = true;
        } else {
            return std::nullopt;
        }
        ascii += char(c.unicode());
    }
    if (!sawDigit)
        return std::nullopt;
    if (ascii.back() == '.')
        ascii += '0';
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small to tell from zero, or too large for any performance.
        const auto firstDigit = ascii.find_first_not_of("0.");
        const auto point = ascii.find('.');
        if (firstDigit != std::string::npos && (point == std::string::npos || firstDigit < point))
            return std::nullopt;
        value = 0;
    } else if (error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Hours and minutes before the seconds: "h:m:s" is (h x 60 + m) x 60 + s, "m:s" m x 60 + s.
std::optional<double> readColonValue(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char(':'));
    if (first < 0)
        return readNumber(text);
    const std::optional<double> head = readNumber(QStringView(text).left(first));
    if (!head)
        return std::nullopt;
    double value = *head * 60;
    qsizetype restStart = first + 1;
    const qsizetype second = text.indexOf(QLatin1Char(':'), restStart);
    if (second >= 0) {
        const std::optional<double> middle =
            readNumber(QStringView(text).mid(restStart, second - restStart));
        if (!middle)
            return std::nullopt;
        value = (value + *middle) * 60;
        restStart = second + 1;
    }
    const std::optional<double> seconds = readNumber(QStringView(text).mid(restStart));
    if (!seconds)
        return std::nullopt;
    return value + *seconds;
}

// The digits of |value| x 10^decimals rounded to a whole number, without leading zeros
// (empty for zero). The value is first taken to 15 significant digits, as a double holds
// them, and the last decimal is then rounded half away from zero: 14.125 gives 1413 and
// 65.32 - 60 gives 532, as a person rounds.
std::string roundedDigits(double value, int decimals)
{
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    *written.ptr = '\0';
    std::string digits(1, buffer[0]);
    digits.append(buffer + 2, 14);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    const int keep = exponent + 1 + decimals;
    std::string n;
    bool roundUp = false;
    if (keep >= 0 && keep < int(digits.size())) {
        n = digits.substr(0, size_t(keep));
        roundUp = digits[size_t(keep)] >= '5';
    } else if (keep >= int(digits.size())) {
        n = digits + std::string(size_t(keep) - digits.size(), '0');
    }
    if (roundUp) {
        int i = int(n.size()) - 1;
        while (i >= 0 && n[size_t(i)] == '9')
            n[size_t(i--)] = '0';
        if (i < 0)
            n.insert(n.begin(), '1');
        else
            ++n[size_t(i)];
    }
    const auto nonZero = n.find_first_not_of('0');
    return nonZero == std::string::npos ? std::string() : n.substr(nonZero);
}

// Rounded digits laid out with at least `intDigits` digits before the point.
QString layOut(std::string n, bool negative, int intDigits, int decimals)
{
    const bool zero = n.empty();
    const size_t width = size_t(intDigits + decimals);
    if (n.size() < width)
        n.insert(0, width - n.size(), '0');
    if (decimals > 0)
        n.insert(n.size() - size_t(decimals), 1, '.');
    if (negative && !zero)
        n.insert(0, 1, '-');
    return QString::fromLatin1(n.data(), qsizetype(n.size()));
}

// `value` written with `decimals` decimals and at least `intDigits` digits before the
// point; a value that rounds to zero has no sign.
QString fixedDecimal(double value, int intDigits, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    return layOut(roundedDigits(value, decimals), value < 0, intDigits, decimals);
}

} // namespace

bool ItemTypes::PerfIsBlank(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == ' ' || u == ':' || u == '.' || u == '0' || u == '-' || u == '+';
    });
}

bool ItemTypes::PerfLooksValid(const QString& text)
{
    // Digits, colons and one decimal sign (a comma reads as the point), the point after the
    // colons.
    qsizetype point = -1;
    qsizetype colon = -1;
    bool comma = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == ',' && !comma) {
            comma = true;
            if (point < 0)
                point = i;
        } else if (u == '.' || u == ',') {
            if (point < 0)
                point = i;
        } else if (u == ':') {
            if (colon < 0)
                colon = i;
        } else if (u < '0' || u > '9') {
            return false;
        }
    }
    if (point >= 0 && colon >= 0 && point < colon)
        return false;
    // The characters rule out the manually stopped times that the full read reports.
    if (!comma)
        return PerfIsBlank(text) || readColonValue(text).has_value();
    QString t = text;
    t[text.indexOf(QLatin1Char(','))] = QLatin1Char('.');
    return PerfIsBlank(t) || readColonValue(t).has_value();
}

std::optional<double> ItemTypes::PerfTextToValue(const QString& text) const
{
    QString t = text.trimmed();
    if (PerfIsBlank(t))
        return 0.0;
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    if (comma >= 0)
        t[comma] = QLatin1Char('.');
    if (t.startsWith(QLatin1Char('M'))) {
        m_messages.internalError(
            20020, QStringLiteral("Filter out manually stopped times for Timetronics: ") + text);
        return std::nullopt;
    }
    return readColonValue(t);
}

QString ItemTypes::PerfValueToText(const QString& itemCode, double value, bool withThirdDigit) const
{
    return formatPerfValue(PerfFormatOf(itemCode), value, withThirdDigit);
}

QString ItemTypes::formatPerfValue(int format, double value, bool withThirdDigit) const
{
    if (format == 8)
        return fixedDecimal(std::nearbyint(value), 5, 0); // halves to even
    const int decimals = withThirdDigit ? 3 : 2;
    if (format >= 1 && format <= 3 && std::isfinite(value) && value >= 0) {
        // Hours and minutes from the rounded whole number of hundredths (or thousandths),
        // so that 59.999 carries into the minute ("1:00.00") instead of showing 60 seconds.
        const std::string digits = roundedDigits(value, decimals);
        if (digits.size() <= 17) {
            const qint64 perSecond = decimals == 3 ? 1000 : 100;
            qint64 units = digits.empty() ? 0 : std::stoll(digits);
            QString text;
            if (format == 1) {
                text += QString::number(units / (3600 * perSecond)) + QLatin1Char(':');
                units %= 3600 * perSecond;
            }
            text += QString::number(units / (60 * perSecond))
                        .rightJustified(format == 3 ? 1 : 2, QLatin1Char('0')) +
                    QLatin1Char(':');
            units %= 60 * perSecond;
            return text + layOut(units ? std::to_string(units) : std::string(), false, 2, decimals);
        }
    }
    QString text;
    if (format == 1) {
        const double hours = std::trunc(value / 3600);
        value -= hours * 3600;
        text += fixedDecimal(hours, 1, 0) + QLatin1Char(':');
    }
    if (format >= 1 && format <= 3) {
        const double minutes = std::trunc(value / 60);
        value -= minutes * 60;
        text += fixedDecimal(minutes, format == 3 ? 1 : 2, 0) + QLatin1Char(':');
    }
    if (withThirdDigit && format > 5) {
        m_messages.internalError(20021, QStringLiteral("Refining to 3 Digits only apply to times"));
    }
    return text + fixedDecimal(value, format == 7 ? 1 : 2, decimals);
}

std::optional<QString> ItemTypes::NormalisePerf(const QString& itemCode, const QString& text) const
{
    if (text.isEmpty()) {
        m_messages.internalError(20022, QStringLiteral("The performance is empty"));
        return std::nullopt;
    }
    if (!PerfLooksValid(text)) {
        m_messages.internalError(20023,
                                 QStringLiteral("The performance does not look right: ") + text);
        return std::nullopt;
    }
    const std::optional<double> value = PerfTextToValue(text);
    if (!value)
        return std::nullopt;
    return PerfValueToText(itemCode, *value, false);
}

bool ItemTypes::CheckPerfFormat(const QString& itemCode, const QString& text,
                                bool showMessages) const
{
    if (text != text.trimmed()) {
        m_messages.warning(
            QStringLiteral("The performance has a space.  Please type all the digits."));
        return false;
    }
    QString compact = text;
    compact.removeIf([](QChar c) { return c.isSpace(); });
    const int format = PerfFormatOf(itemCode);
    const QString maxText = formatMaxText(format);
    const double max = readColonValue(maxText).value_or(0);
    const std::optional<double> value = PerfTextToValue(compact);

    const auto formatMessage = [&](const QString& canonical) {
        if (!showMessages)
            return;
        QString body = QStringLiteral("The format of ") + text + QStringLiteral(" should be ") +
                       canonical + kCR + formatName(format) + kCR + kCR;
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        const QString seconds = colon >= 0 ? text.mid(colon + 1, 2) : QString();
        if (seconds.size() == 2 && isDigit(seconds[0]) && isDigit(seconds[1]) &&
            seconds.toInt() > 59) {
            body += QStringLiteral("You cannot have more than 59 seconds.");
        } else {
            body += QStringLiteral("The problem is usually that the \"Decimal Setting\" of "
                                   "Windows is wrong.") +
                    kCR + QStringLiteral("To fix this:") + kCR +
                    QStringLiteral("Click on the \"Start\"-button of Windows and go to "
                                   "\"Control Panel\".") +
                    kCR + QStringLiteral("Look for something containing the word \"Region\".") +
                    kCR +
                    QStringLiteral("Then, under \"Additional Settings\" look for a "
                                   "\"Number\"-tab.") +
                    kCR + QStringLiteral("Change the \"Decimal Symbol\" to a point.") + kCR +
                    QStringLiteral("While you are there: change \"Column Separator\" to a "
                                   "comma.") +
                    kCR + QStringLiteral("Click \"Accept\".  The problem shoul now be fixed.");
        }
        m_messages.warning(body);
    };

    // A text that is not a number, or a negative one, is no performance: the message
    // shows the format by the canonical zero.
    if (!value || *value < 0) {
        formatMessage(formatPerfValue(format, 0, false));
        return false;
    }
    if (*value <= max) {
        const QString canonical = formatPerfValue(format, *value, false);
        if (text == canonical)
            return true;
        formatMessage(canonical);
        return false;
    }
    if (showMessages) {
        m_messages.warning(QStringLiteral("The maximum performance the programme can handle is ") +
                           maxText);
    }
    return false;
}

QString ItemTypes::FixDecimalComma(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (text.size() < 2 || comma < 0 || comma < text.size() - 2)
        return text;
    QString fixed = text;
    fixed[comma] = QLatin1Char('.');
    return fixed;
}

QString ItemTypes::AddThirdDigit(const QString& itemCode, const QString& text,
                                 const QString& digit) const
{
    if (IsFieldItem(itemCode)) {
        m_messages.internalError(20024,
                                 QStringLiteral("Did not expect ThirdDigits in a field item"));
        return text;
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0 || text.size() - point - 1 != 2) {
        m_messages.internalError(
            20025, QStringLiteral("Expected two digits after the decimal point: ") + text);
        return text;
    }
    if (digit.isEmpty()) {
        m_messages.internalError(20026, QStringLiteral("Filter out: No third digit"));
        return text + QLatin1Char('0');
    }
    if (digit.size() != 1 || !isDigit(digit.front())) {
        m_messages.internalError(20027, QStringLiteral("Invalid third digit: ") + digit);
        return text + QLatin1Char('0');
    }
    const std::optional<double> value = PerfTextToValue(text);
    if (!value) {
        m_messages.internalError(20028,
                                 QStringLiteral("The performance does not look right: ") + text);
        return text;
    }
    // The two-decimal time is the upper end of its ten thousandths.
    double thousandths = std::nearbyint(*value * 100) * 10;
    if (digit != QLatin1String("0"))
        thousandths = thousandths - 10 + (digit.front().unicode() - '0');
    return PerfValueToText(itemCode, thousandths / 1000, true);
}

bool ItemTypes::WindIsEmpty(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() || t == QLatin1String(".") || t == QLatin1String("..");
}

bool ItemTypes::CheckWindText(const QString& text, bool showMessages) const
{
    if (WindIsEmpty(text)) {
        if (showMessages)
            m_messages.warning(QStringLiteral("The wind is empty"));
        return false;
    }
    const QString t = text.trimmed();
    if (t == QLatin1String("0.0") || t == QLatin1String("+0.0") || t == QLatin1String("-0.0"))
        return true;
    const std::optional<double> value = readNumber(t);
    if (!value)
        return false;
    const QString plain = fixedDecimal(*value, 1, 1);
    const QString signed_ = QLatin1Char('+') + plain;
    if (t == plain || t == signed_)
        return true;
    if (showMessages) {
        m_messages.warning(QStringLiteral("The format should be ") + plain +
                           QStringLiteral(" or ") + signed_);
    }
    return false;
}

} // namespace meeting
