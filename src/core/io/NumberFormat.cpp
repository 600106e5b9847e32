#include "NumberFormat.h"

#include <QDate>
#include <QHash>

#include <cmath>
#include <optional>

namespace vel {
namespace {

enum class Tok {
    Literal,
    Digit,     // 0 # ?
    Point,
    Comma,     // grouping or scaling, settled once the section is read
    Percent,
    Exponent,  // E+ E-
    General,
    At,
    Year,
    MonthOrMinute,
    Month,
    Minute,
    Day,
    Hour,
    Second,
    FracSecond,
    AmPm,
    ElapsedHours,
    ElapsedMinutes,
    ElapsedSeconds,
};

struct Token {
    Tok kind;
    QString text;  // a literal's text, a digit placeholder's character, an exponent's sign
    int count = 1;
};

bool isDatePart(Tok t)
{
    return t == Tok::Year || t == Tok::Month || t == Tok::Day;
}

bool isTimePart(Tok t)
{
    return t == Tok::Hour || t == Tok::Minute || t == Tok::Second || t == Tok::FracSecond ||
           t == Tok::AmPm || t == Tok::ElapsedHours || t == Tok::ElapsedMinutes ||
           t == Tok::ElapsedSeconds;
}

// A number's decimal digits as General shows them: at most 15 significant digits, whole numbers
// below 10^16 in full.
struct Decimal {
    QString digits;  // without leading zeros; empty for zero
    int point = 0;   // digits before the decimal point (may be negative or beyond the digits)
};

Decimal decimalOf(double a)
{
    Decimal d;
    if (a == 0)
        return d;
    if (std::floor(a) == a && a < 1e16) {
        d.digits = QString::number(a, 'f', 0);
        d.point = static_cast<int>(d.digits.size());
    } else {
        const QString e = QString::number(a, 'e', 14);  // d.dddddddddddddde±x
        const qsizetype at = e.indexOf(u'e');
        d.digits = e.left(at).remove(u'.');
        d.point = e.mid(at + 1).toInt() + 1;
    }
    while (d.digits.endsWith(u'0'))
        d.digits.chop(1);
    return d;
}

QString scientificGeneral(double a)
{
    const Decimal d = decimalOf(a);
    const int exponent = d.point - 1;
    QString mantissa = d.digits.left(1);
    if (d.digits.size() > 1)
        mantissa += u'.' + d.digits.mid(1);
    // Large exponents come with three digits, small ones with two, as the office suite writes them.
    return mantissa + (exponent < 0 ? QStringLiteral("E-%1").arg(-exponent, 2, 10, QChar(u'0'))
                                    : QStringLiteral("E+%1").arg(exponent, 3, 10, QChar(u'0')));
}

const QString ChineseMonths[] = {
    QStringLiteral("一月"), QStringLiteral("二月"), QStringLiteral("三月"),
    QStringLiteral("四月"), QStringLiteral("五月"), QStringLiteral("六月"),
    QStringLiteral("七月"), QStringLiteral("八月"), QStringLiteral("九月"),
    QStringLiteral("十月"), QStringLiteral("十一月"), QStringLiteral("十二月")};
const QString ChineseWeekdays = QStringLiteral("一二三四五六日");

QString padded(long long n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QChar(u'0'));
}

}  // namespace

struct NumberFormat::Section {
    std::vector<Token> tokens;
    std::optional<std::pair<QString, double>> condition;
    bool date = false;       // draws a date or a time
    bool hasDate = false;    // year, month or day
    bool hasTime = false;    // hour, minute, second
    bool elapsed = false;    // [h] [mm] [ss]
    bool ampm = false;
    int fracSeconds = 0;
    bool general = false;
    bool at = false;
    bool grouping = false;
    int scale = 0;           // thousands dropped by trailing commas
    int percents = 0;
    int decimals = 0;
    bool exponent = false;

    bool conditionHolds(double v) const
    {
        const auto& [op, x] = *condition;
        if (op == u"<")
            return v < x;
        if (op == u"<=")
            return v <= x;
        if (op == u">")
            return v > x;
        if (op == u">=")
            return v >= x;
        if (op == u"<>")
            return v != x;
        return v == x;
    }
};

namespace {

using Section = NumberFormat::Section;

void addLiteral(std::vector<Token>& tokens, const QString& text)
{
    if (!tokens.empty() && tokens.back().kind == Tok::Literal)
        tokens.back().text += text;
    else
        tokens.push_back({Tok::Literal, text});
}

// The part of a section between brackets: an elapsed time, a condition, a currency sign;
// colours and locale or numeral modifiers change no text here.
void readBracket(const QString& inside, Section& s)
{
    const QString lower = inside.toLower();
    if (!lower.isEmpty() && lower.count(u'h') == lower.size()) {
        s.tokens.push_back({Tok::ElapsedHours, {}, static_cast<int>(lower.size())});
    } else if (!lower.isEmpty() && lower.count(u'm') == lower.size()) {
        s.tokens.push_back({Tok::ElapsedMinutes, {}, static_cast<int>(lower.size())});
    } else if (!lower.isEmpty() && lower.count(u's') == lower.size()) {
        s.tokens.push_back({Tok::ElapsedSeconds, {}, static_cast<int>(lower.size())});
    } else if (inside.startsWith(u'$')) {
        const qsizetype dash = inside.indexOf(u'-');
        const QString sign = inside.mid(1, dash < 0 ? -1 : dash - 1);
        if (!sign.isEmpty())
            addLiteral(s.tokens, sign);
    } else if (!inside.isEmpty() && QStringLiteral("<>=").contains(inside[0])) {
        qsizetype n = 1;
        while (n < inside.size() && QStringLiteral("<>=").contains(inside[n]))
            ++n;
        bool ok = false;
        const double x = inside.mid(n).toDouble(&ok);
        if (ok)
            s.condition = std::make_pair(inside.left(n), x);
    }
}

std::vector<Section> parseSections(const QString& code)
{
    std::vector<Section> sections(1);
    const qsizetype n = code.size();
    qsizetype i = 0;
    const auto startsWith = [&](const char16_t* word) {
        return QStringView(code).mid(i).startsWith(QStringView(word), Qt::CaseInsensitive);
    };
    while (i < n) {
        Section& s = sections.back();
        const QChar c = code[i];
        const char16_t lc = c.toLower().unicode();
        if (c == u';') {
            sections.emplace_back();
            ++i;
        } else if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            addLiteral(s.tokens, code.mid(i + 1, (end < 0 ? n : end) - i - 1));
            i = end < 0 ? n : end + 1;
        } else if (c == u'\\') {
            if (i + 1 < n)
                addLiteral(s.tokens, code.mid(i + 1, 1));
            i += 2;
        } else if (c == u'_') {
            addLiteral(s.tokens, QStringLiteral(" "));
            i += 2;
        } else if (c == u'*') {
            i += 2;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            readBracket(code.mid(i + 1, (end < 0 ? n : end) - i - 1), s);
            i = end < 0 ? n : end + 1;
        } else if (startsWith(u"general")) {
            s.tokens.push_back({Tok::General, {}});
            i += 7;
        } else if (startsWith(u"g/通用格式")) {
            s.tokens.push_back({Tok::General, {}});
            i += 6;
        } else if (startsWith(u"am/pm") || startsWith(u"上午/下午")) {
            s.tokens.push_back({Tok::AmPm, {}});
            i += 5;
        } else if (startsWith(u"a/p")) {
            s.tokens.push_back({Tok::AmPm, {}});
            i += 3;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            const bool afterSeconds = !s.tokens.empty() && s.tokens.back().kind == Tok::Point &&
                                      s.tokens.size() >= 2 &&
                                      s.tokens[s.tokens.size() - 2].kind == Tok::Second;
            if (afterSeconds && c == u'0') {
                s.tokens.pop_back();
                qsizetype j = i;
                while (j < n && code[j] == u'0')
                    ++j;
                s.tokens.push_back({Tok::FracSecond, {}, static_cast<int>(j - i)});
                i = j;
            } else {
                s.tokens.push_back({Tok::Digit, QString(c)});
                ++i;
            }
        } else if (c == u'.') {
            s.tokens.push_back({Tok::Point, QStringLiteral(".")});
            ++i;
        } else if (c == u',') {
            s.tokens.push_back({Tok::Comma, QStringLiteral(",")});
            ++i;
        } else if (c == u'%') {
            s.tokens.push_back({Tok::Percent, QStringLiteral("%")});
            ++i;
        } else if (c == u'@') {
            s.tokens.push_back({Tok::At, {}});
            ++i;
        } else if (lc == u'e' && i + 1 < n && (code[i + 1] == u'+' || code[i + 1] == u'-')) {
            s.tokens.push_back({Tok::Exponent, code.mid(i + 1, 1)});
            i += 2;
        } else if (lc == u'y' || lc == u'm' || lc == u'd' || lc == u'h' || lc == u's') {
            qsizetype j = i;
            while (j < n && code[j].toLower() == QChar(lc))
                ++j;
            const Tok kind = lc == u'y'   ? Tok::Year
                             : lc == u'm' ? Tok::MonthOrMinute
                             : lc == u'd' ? Tok::Day
                             : lc == u'h' ? Tok::Hour
                                          : Tok::Second;
            s.tokens.push_back({kind, {}, static_cast<int>(j - i)});
            i = j;
        } else {
            addLiteral(s.tokens, QString(c));
            ++i;
        }
    }
    return sections;
}

// An m after an hour or before a second is a minute; any other m a month.
void settleMinutes(Section& s)
{
    auto& t = s.tokens;
    for (size_t k = 0; k < t.size(); ++k) {
        if (t[k].kind != Tok::MonthOrMinute)
            continue;
        bool minute = false;
        for (size_t j = k; j-- > 0;) {
            if (t[j].kind == Tok::Literal)
                continue;
            minute = t[j].kind == Tok::Hour || t[j].kind == Tok::ElapsedHours;
            break;
        }
        for (size_t j = k + 1; !minute && j < t.size(); ++j) {
            if (t[j].kind == Tok::Literal)
                continue;
            minute = t[j].kind == Tok::Second || t[j].kind == Tok::ElapsedSeconds;
            break;
        }
        t[k].kind = minute ? Tok::Minute : Tok::Month;
    }
}

// In a date, the digits, points and commas that read as number parts are plain text.
void settleDate(Section& s)
{
    for (Token& t : s.tokens)
        if (t.kind == Tok::Digit || t.kind == Tok::Point || t.kind == Tok::Comma ||
            t.kind == Tok::Percent || t.kind == Tok::Exponent) {
            t.text = t.kind == Tok::Exponent ? u'E' + t.text : t.text;
            t.kind = Tok::Literal;
        }
}

// Commas between integer digits group thousands; commas right after them scale by 1000.
void settleNumber(Section& s)
{
    auto& t = s.tokens;
    size_t end = t.size();  // where the integer part ends
    for (size_t k = 0; k < t.size(); ++k)
        if (t[k].kind == Tok::Point || t[k].kind == Tok::Exponent) {
            end = k;
            break;
        }
    std::vector<Token> out;
    bool digitBefore = false;
    bool inFraction = false;
    for (size_t k = 0; k < t.size(); ++k) {
        Token tok = t[k];
        if (tok.kind == Tok::Comma) {
            bool digitAfter = false;
            for (size_t j = k + 1; j < end; ++j)
                if (t[j].kind == Tok::Digit) {
                    digitAfter = true;
                    break;
                }
            if (k < end && digitBefore && digitAfter)
                s.grouping = true;
            else if (k < end && digitBefore)
                ++s.scale;
            else
                out.push_back({Tok::Literal, tok.text});
            continue;
        }
        if (tok.kind == Tok::Point) {
            if (inFraction) {
                out.push_back({Tok::Literal, tok.text});
                continue;
            }
            inFraction = true;
        }
        if (tok.kind == Tok::Exponent) {
            s.exponent = true;
            inFraction = false;
        }
        if (tok.kind == Tok::Digit) {
            digitBefore = true;
            if (inFraction)
                ++s.decimals;
        }
        if (tok.kind == Tok::Percent)
            ++s.percents;
        out.push_back(tok);
    }
    t = out;
}

void settle(Section& s)
{
    for (const Token& t : s.tokens) {
        s.date = s.date || isDatePart(t.kind) || isTimePart(t.kind) ||
                 t.kind == Tok::MonthOrMinute;
        s.general = s.general || t.kind == Tok::General;
        s.at = s.at || t.kind == Tok::At;
    }
    if (s.date) {
        settleMinutes(s);
        settleDate(s);
        for (const Token& t : s.tokens) {
            s.hasDate = s.hasDate || isDatePart(t.kind);
            s.hasTime = s.hasTime || isTimePart(t.kind);
            s.elapsed = s.elapsed || t.kind == Tok::ElapsedHours ||
                        t.kind == Tok::ElapsedMinutes || t.kind == Tok::ElapsedSeconds;
            s.ampm = s.ampm || t.kind == Tok::AmPm;
            if (t.kind == Tok::FracSecond)
                s.fracSeconds = t.count;
        }
    } else {
        settleNumber(s);
    }
}

QString literalsWith(const Section& s, Tok placeholder, const QString& value)
{
    QString out;
    for (const Token& t : s.tokens)
        out += t.kind == placeholder ? value : t.kind == Tok::Literal ? t.text : QString();
    return out;
}

// The digits placed in the integer placeholders, right to left; digits beyond the placeholders
// go in front of the first one.
QString integerText(const Section& s, const QString& digits, size_t end)
{
    std::vector<size_t> places;
    for (size_t k = 0; k < end; ++k)
        if (s.tokens[k].kind == Tok::Digit)
            places.push_back(k);
    std::vector<QString> filled(places.size());
    qsizetype next = digits.size() - 1;
    for (size_t k = places.size(); k-- > 0;) {
        const QChar p = s.tokens[places[k]].text[0];
        if (next >= 0)
            filled[k] = digits[next--];
        else
            filled[k] = p == u'0' ? QStringLiteral("0") : p == u'?' ? QStringLiteral(" ") : QString();
    }
    const QString extra = next >= 0 ? digits.left(next + 1) : QString();
    if (s.grouping) {
        QString whole = extra;
        for (const QString& f : filled)
            whole += f == u" " ? QString() : f;
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, u',');
        QString out;
        bool placed = false;
        for (size_t k = 0; k < end; ++k) {
            const Token& t = s.tokens[k];
            if (t.kind == Tok::Digit && !placed) {
                out += whole;
                placed = true;
            } else if (t.kind != Tok::Digit) {
                out += t.kind == Tok::Literal || t.kind == Tok::Percent ? t.text : QString();
            }
        }
        return out;
    }
    QString out;
    size_t slot = 0;
    for (size_t k = 0; k < end; ++k) {
        const Token& t = s.tokens[k];
        if (t.kind == Tok::Digit) {
            if (slot == 0)
                out += extra;
            out += filled[slot++];
        } else if (t.kind == Tok::Literal || t.kind == Tok::Percent) {
            out += t.text;
        }
    }
    return out;
}

// Fraction digits in their placeholders; trailing zeros under # vanish and under ? turn blank.
QString fractionText(const Section& s, const QString& digits, size_t from, size_t end)
{
    std::vector<QString> filled;
    int d = 0;
    for (size_t k = from; k < end; ++k)
        if (s.tokens[k].kind == Tok::Digit)
            filled.push_back(digits.mid(d++, 1));
    for (size_t k = filled.size(), slot = end; k-- > 0;) {
        while (s.tokens[--slot].kind != Tok::Digit) {
        }
        const QChar p = s.tokens[slot].text[0];
        if (p == u'0' || filled[k] != u"0")
            break;
        filled[k] = p == u'?' ? QStringLiteral(" ") : QString();
    }
    QString out;
    size_t slot = 0;
    bool anyDigit = false;
    for (const QString& f : filled)
        anyDigit = anyDigit || (!f.isEmpty() && f != u" ");
    for (size_t k = from; k < end; ++k) {
        const Token& t = s.tokens[k];
        if (t.kind == Tok::Digit)
            out += filled[slot++];
        else if (t.kind == Tok::Point)
            out += anyDigit ? t.text : QString();
        else if (t.kind == Tok::Literal || t.kind == Tok::Percent)
            out += t.text;
    }
    return out;
}

QString exponentText(const Section& s, int exponent, size_t from)
{
    int width = 0;
    QString sign;
    QString trailing;
    for (size_t k = from; k < s.tokens.size(); ++k) {
        const Token& t = s.tokens[k];
        if (t.kind == Tok::Exponent)
            sign = exponent < 0 ? QStringLiteral("-") : t.text == u"+" ? QStringLiteral("+") : QString();
        else if (t.kind == Tok::Digit)
            ++width;
        else if (t.kind == Tok::Literal || t.kind == Tok::Percent)
            trailing += t.text;
    }
    return u'E' + sign + padded(std::abs(exponent), width) + trailing;
}

// The value at 15 significant digits, as the office suite takes a cell's number before drawing
// it.
double approximated(double a)
{
    return a == 0 ? 0 : QString::number(a, 'g', 15).toDouble();
}

// Rounds half away from zero at `decimals` places the way the office suite does: with a
// correction that absorbs the binary error of a decimal value (1.005 to 1.01), except at whole
// numbers, which round the binary value as it is (a percentage of 1.005 is 100%). `a` >= 0.
double roundedLikeTheSuite(double a, int decimals)
{
    if (decimals == 0)
        return std::round(a);
    const double factor = std::pow(10.0, decimals);
    const double x = a * factor;
    if (!std::isfinite(x))  // near the largest double: no fraction digits to round
        return a;
    const int magnitude = x > 0 ? static_cast<int>(std::floor(std::log10(x))) : 0;
    const int place = magnitude < 0 ? 15 : magnitude >= 14 ? 0 : 15 - magnitude;
    const double correction = place == 0 ? 0 : 9 * std::pow(10.0, -place);
    return std::floor(x + 0.5 + correction) / factor;
}

// A rounded value's integer digits (no leading zeros, empty for zero) and its `decimals`
// fraction digits.
std::pair<QString, QString> digitsOf(double r, int decimals)
{
    const QString text = QString::number(r, 'f', decimals);
    const qsizetype point = text.indexOf(u'.');
    QString whole = point < 0 ? text : text.left(point);
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    return {whole, point < 0 ? QString() : text.mid(point + 1)};
}

// A number in a numeric section, `a` not negative; `zero` tells whether every digit shown is 0.
QString numberText(const Section& s, double a, bool& zero)
{
    zero = false;
    if (s.general) {
        zero = a == 0;
        return literalsWith(s, Tok::General, generalNumber(a));
    }
    const double v = approximated(a) * std::pow(100.0, s.percents) / std::pow(1000.0, s.scale);
    size_t point = s.tokens.size();
    size_t exp = s.tokens.size();
    for (size_t k = s.tokens.size(); k-- > 0;) {
        if (s.tokens[k].kind == Tok::Point)
            point = k;
        if (s.tokens[k].kind == Tok::Exponent)
            exp = k;
    }
    const size_t intEnd = std::min(point, exp);
    double r = 0;
    int exponent = 0;
    if (s.exponent && v > 0) {
        int intPlaces = 0;
        for (size_t k = 0; k < intEnd; ++k)
            intPlaces += s.tokens[k].kind == Tok::Digit ? 1 : 0;
        const int lead = std::max(intPlaces, 1);
        exponent = static_cast<int>(std::floor(std::log10(v))) - (lead - 1);
        r = roundedLikeTheSuite(v / std::pow(10.0, exponent), s.decimals);
        if (r >= std::pow(10.0, lead)) {
            ++exponent;
            r = roundedLikeTheSuite(v / std::pow(10.0, exponent), s.decimals);
        }
    } else if (!s.exponent) {
        r = roundedLikeTheSuite(v, s.decimals);
    }
    const auto [whole, frac] = digitsOf(r, s.decimals);
    zero = r == 0;
    QString out = integerText(s, whole, intEnd);
    if (point < exp)
        out += fractionText(s, frac, point, exp);
    if (s.exponent)
        out += exponentText(s, exponent, exp);
    return out;
}

QString dateText(const Section& s, double serial)
{
    constexpr double SecondsPerDay = 86400.0;
    const double unit = std::pow(10.0, -s.fracSeconds);
    double days = std::floor(serial);
    double seconds = s.hasTime ? std::round((serial - days) * SecondsPerDay / unit) * unit : 0;
    if (seconds >= SecondsPerDay) {
        // A time of day alone stops at the day's last second rather than show the next day.
        if (s.hasDate || s.elapsed) {
            days += 1;
            seconds -= SecondsPerDay;
        } else {
            seconds = SecondsPerDay - unit;
        }
    }
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
    const long long whole = static_cast<long long>(std::floor(seconds + 1e-9));
    const double totalSeconds = days * SecondsPerDay + seconds;
    const int hour = static_cast<int>(whole / 3600);
    const int minute = static_cast<int>(whole / 60 % 60);
    const int second = static_cast<int>(whole % 60);

    QString out;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
        case Tok::Literal:
            out += t.text;
            break;
        case Tok::Year:
            out += t.count <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
            break;
        case Tok::Month:
            out += t.count <= 2   ? padded(date.month(), t.count)
                   : t.count == 3 ? QString::number(date.month()) + u'月'
                                  : ChineseMonths[date.month() - 1];
            break;
        case Tok::Day:
            out += t.count <= 2 ? padded(date.day(), t.count)
                                : (t.count == 3 ? QStringLiteral("周") : QStringLiteral("星期")) +
                                      ChineseWeekdays[date.dayOfWeek() - 1];
            break;
        case Tok::Hour:
            out += padded(s.ampm ? (hour % 12 == 0 ? 12 : hour % 12) : hour, t.count);
            break;
        case Tok::Minute:
            out += padded(minute, t.count);
            break;
        case Tok::Second:
            out += padded(second, t.count);
            break;
        case Tok::FracSecond:
            out += u'.' + padded(std::llround((seconds - whole) / unit), t.count);
            break;
        case Tok::AmPm:
            out += hour < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
            break;
        case Tok::ElapsedHours:
        case Tok::ElapsedMinutes:
        case Tok::ElapsedSeconds: {
            const double per = t.kind == Tok::ElapsedHours     ? 3600
                               : t.kind == Tok::ElapsedMinutes ? 60
                                                               : 1;
            const long long n = static_cast<long long>(std::floor(std::abs(totalSeconds) / per + 1e-9));
            out += (totalSeconds < 0 ? QStringLiteral("-") : QString()) + padded(n, t.count);
            break;
        }
        default:
            break;
        }
    }
    return out;
}

}  // namespace

NumberFormat::NumberFormat(const QString& code, DateSystem dates)
    : sections_(parseSections(code.isEmpty() ? QStringLiteral("General") : code)), dates_(dates)
{
    for (Section& s : sections_)
        settle(s);
}

NumberFormat::~NumberFormat() = default;
NumberFormat::NumberFormat(NumberFormat&&) noexcept = default;
NumberFormat& NumberFormat::operator=(NumberFormat&&) noexcept = default;

QString NumberFormat::number(double value) const
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    // The section: by condition where a format has them, else positive; negative; zero.
    size_t pick = 0;
    bool ownSign = false;  // the section draws the minus itself, or shows the magnitude
    const bool conditional = sections_[0].condition.has_value();
    if (conditional) {
        pick = sections_.size() > 1 ? 1 : 0;
        for (size_t k = 0; k < std::min<size_t>(2, sections_.size()); ++k)
            if (sections_[k].condition && sections_[k].conditionHolds(value)) {
                pick = k;
                break;
            }
        if (sections_.size() > 2 && !sections_[pick].conditionHolds(value))
            pick = 2;
        ownSign = pick > 0;
    } else if (value < 0 && sections_.size() > 1) {
        pick = 1;
        ownSign = true;
    } else if (value == 0 && sections_.size() > 2) {
        pick = 2;
    }
    const Section& s = sections_[pick];
    if (s.at)
        return generalNumber(value);
    if (s.date) {
        const double serial = dates_ == DateSystem::From1904 ? value + 1462 : value;
        if (serial < -693594 || serial >= 2958466)  // outside years 1 to 9999
            return generalNumber(value);
        return dateText(s, serial);
    }
    bool zero = false;
    const QString shown = numberText(s, std::abs(value), zero);
    return value < 0 && !ownSign && !zero ? u'-' + shown : shown;
}

QString NumberFormat::text(const QString& value) const
{
    const Section* s = sections_.size() > 3 ? &sections_[3] : nullptr;
    if (!s && sections_.size() == 1 && sections_[0].at)
        s = &sections_[0];
    return s && s->at ? literalsWith(*s, Tok::At, value) : value;
}

QString NumberFormat::boolean(bool value) const
{
    const Section& s = sections_[0];
    const bool general = sections_.size() == 1 && s.tokens.size() == 1 && s.general;
    if (general)
        return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return number(value ? 1 : 0);
}

QString NumberFormat::builtinCode(int id)
{
    static const QHash<int, QString> codes = {
        {1, QStringLiteral("0")},
        {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")},
        {5, QStringLiteral("\"￥\"#,##0;\"￥\"-#,##0")},
        {6, QStringLiteral("\"￥\"#,##0;[Red]\"￥\"-#,##0")},
        {7, QStringLiteral("\"￥\"#,##0.00;\"￥\"-#,##0.00")},
        {8, QStringLiteral("\"￥\"#,##0.00;[Red]\"￥\"-#,##0.00")},
        {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},
        {11, QStringLiteral("0.00E+00")},
        {14, QStringLiteral("yyyy-m-d")},
        {15, QStringLiteral("d-mmm-yy")},
        {16, QStringLiteral("d-mmm")},
        {17, QStringLiteral("mmm-yy")},
        {18, QStringLiteral("h:mm AM/PM")},
        {19, QStringLiteral("h:mm:ss AM/PM")},
        {20, QStringLiteral("h:mm")},
        {21, QStringLiteral("h:mm:ss")},
        {22, QStringLiteral("yyyy-m-d h:mm")},
        {27, QStringLiteral("yyyy\"年\"m\"月\"")},
        {28, QStringLiteral("m\"月\"d\"日\"")},
        {29, QStringLiteral("m\"月\"d\"日\"")},
        {30, QStringLiteral("m-d-yy")},
        {31, QStringLiteral("yyyy\"年\"m\"月\"d\"日\"")},
        {32, QStringLiteral("h\"时\"mm\"分\"")},
        {33, QStringLiteral("h\"时\"mm\"分\"ss\"秒\"")},
        {34, QStringLiteral("上午/下午h\"时\"mm\"分\"")},
        {35, QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"")},
        {36, QStringLiteral("yyyy\"年\"m\"月\"")},
        {37, QStringLiteral("#,##0 ;(#,##0)")},
        {38, QStringLiteral("#,##0 ;[Red](#,##0)")},
        {39, QStringLiteral("#,##0.00;(#,##0.00)")},
        {40, QStringLiteral("#,##0.00;[Red](#,##0.00)")},
        {45, QStringLiteral("mm:ss")},
        {46, QStringLiteral("[h]:mm:ss")},
        {47, QStringLiteral("mm:ss.0")},
        {48, QStringLiteral("##0.0E+0")},
        {49, QStringLiteral("@")},
        {50, QStringLiteral("yyyy\"年\"m\"月\"")},
        {51, QStringLiteral("m\"月\"d\"日\"")},
        {52, QStringLiteral("yyyy\"年\"m\"月\"")},
        {53, QStringLiteral("m\"月\"d\"日\"")},
        {54, QStringLiteral("m\"月\"d\"日\"")},
        {55, QStringLiteral("上午/下午h\"时\"mm\"分\"")},
        {56, QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"")},
        {57, QStringLiteral("yyyy\"年\"m\"月\"")},
        {58, QStringLiteral("m\"月\"d\"日\"")},
    };
    return codes.value(id, QStringLiteral("General"));
}

QString generalNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    const double a = std::abs(value);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (a >= 1e16 || a < 1e-9)
        return sign + scientificGeneral(a);
    const Decimal d = decimalOf(a);
    const QString whole =
        d.point > 0 ? d.digits.left(d.point).leftJustified(d.point, u'0') : QStringLiteral("0");
    const QString frac = d.point >= 0 ? d.digits.mid(d.point) : QString(-d.point, u'0') + d.digits;
    return sign + whole + (frac.isEmpty() ? QString() : u'.' + frac);
}

}  // namespace vel
