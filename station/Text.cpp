#include "Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <limits>
#include <cmath>
#include <array>
#include <optional>

namespace kelvo {

void SetText(char (&buffer)[TextBufferSize], std::string_view text) {
    const std::size_t n = std::min<std::size_t>(text.size(), TextBufferSize - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && IsSpace(t[i])) ++i;
    return i;
}

// The power of ten of a decimal number "digits[.digits][e[sign]digits]":
// 0 for 1..9.99, 2 for 100, -3 for 0.001; 0 for zero.
long DecimalMagnitude(std::string_view t) {
    std::size_t i = 0;
    long integerDigits = 0, leadingZeros = 0;
    bool nonzero = false;
    for (; i < t.size() && IsDigit(t[i]); ++i) {
        if (t[i] != '0') nonzero = true;
        if (nonzero) ++integerDigits;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i) {
            if (nonzero) continue;
            if (t[i] == '0')
                ++leadingZeros;
            else
                nonzero = true;
        }
    }
    if (!nonzero) return 0;
    long exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        const bool minus = i < t.size() && t[i] == '-';
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            exponent = std::min(exponent * 10 + (t[i] - '0'), 100000L);
        if (minus) exponent = -exponent;
    }
    return (integerDigits > 0 ? integerDigits - 1 : -(leadingZeros + 1)) + exponent;
}

// Bytes of the well-formed UTF-8 character at the start of t, 0 if none.
std::size_t Utf8Length(std::string_view t) {
    if (t.empty()) return 0;
    const auto c = static_cast<unsigned char>(t[0]);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c == 0xE0) n = 3, low = 0xA0;
    else if (c >= 0xE1 && c <= 0xEC) n = 3;
    else if (c == 0xED) n = 3, high = 0x9F;  // no surrogates
    else if (c >= 0xEE && c <= 0xEF) n = 3;
    else if (c == 0xF0) n = 4, low = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) n = 4;
    else if (c == 0xF4) n = 4, high = 0x8F;
    if (n == 0 || t.size() < n) return 0;
    const auto c1 = static_cast<unsigned char>(t[1]);
    if (c1 < low || c1 > high) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((static_cast<unsigned char>(t[k]) & 0xC0) != 0x80) return 0;
    return n;
}

// Whether t is the first bytes of a UTF-8 character of more bytes than t has.
bool CutUtf8(std::string_view t) {
    const auto c = static_cast<unsigned char>(t[0]);
    const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || t.size() >= n) return false;
    for (std::size_t k = 1; k < t.size(); ++k)
        if ((static_cast<unsigned char>(t[k]) & 0xC0) != 0x80) return false;
    return true;
}

}  // namespace

NumberField ScanReal(std::string_view text) {
    NumberField f;
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t begin = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return f;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    f.Found = true;
    f.Whole = i + SkipSpace(text.substr(i)) == text.size();
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + begin, text.data() + i, value, std::chars_format::general);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) {
        // Read as 0: beyond the double range, or so small that it underflows
        // (only the first is worth a report).
        f.OutOfRange = DecimalMagnitude(text.substr(begin, i - begin)) > 0;
        return f;
    }
    f.Value = negative ? -value : value;
    return f;
}

double ParseReal(std::string_view text) { return ScanReal(text).Value; }

NumberField ScanInteger(std::string_view text) {
    NumberField f;
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<std::int32_t>::max();
    while (i < text.size() && IsDigit(text[i])) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit + 1);
        f.Found = true;
        ++i;
    }
    if (negative) value = -value;
    f.OutOfRange = value > kLimit || value < -kLimit - 1;
    f.Whole = f.Found && i + SkipSpace(text.substr(i)) == text.size();
    f.Value = static_cast<double>(std::clamp<long long>(value, -kLimit - 1, kLimit));
    return f;
}

long ParseInteger(std::string_view text) { return static_cast<long>(ScanInteger(text).Value); }

namespace {

// Reads the fields of a sexagesimal angle: up to three unsigned numbers, each
// followed by one of its unit marks (or by the separator ':'), white space
// between them allowed. Returns the value in the first field's unit, or
// nothing when the text is not of that form or a later field is 60 or more.
using UnitMarks = std::array<std::array<std::string_view, 3>, 3>;  // per field, "" unused

std::optional<double> Sexagesimal(std::string_view t, const UnitMarks& units) {
    double value = 0.0, scale = 1.0;
    int field = 0;
    std::size_t i = 0;
    bool colons = false;
    while (true) {
        i += SkipSpace(t.substr(i));
        if (i == t.size()) break;
        if (field == 3) return std::nullopt;
        // An unsigned decimal number.
        std::size_t j = i;
        while (j < t.size() && (IsDigit(t[j]) || t[j] == '.')) ++j;
        if (j == i) return std::nullopt;
        double number = 0.0;
        const auto [end, error] = std::from_chars(t.data() + i, t.data() + j, number);
        if (error != std::errc() || end != t.data() + j || !std::isfinite(number))
            return std::nullopt;
        if (field > 0 && number >= 60.0) return std::nullopt;
        value += number * scale;
        scale /= 60.0;
        i = j + SkipSpace(t.substr(j));
        // Its unit mark: ':' between fields, or the field's own letters.
        if (i < t.size() && t[i] == ':') {
            colons = true;
            ++i;
            if (field == 2) return std::nullopt;
        } else if (i < t.size()) {
            bool matched = false;
            for (std::string_view mark : units[static_cast<std::size_t>(field)]) {
                if (!mark.empty() && t.substr(i).starts_with(mark)) {
                    i += mark.size();
                    matched = true;
                    break;
                }
            }
            if (!matched || colons) return std::nullopt;
        } else if (!colons && field == 0) {
            return std::nullopt;  // a bare number is degrees, read elsewhere
        }
        ++field;
    }
    if (field == 0) return std::nullopt;
    return value;
}

// Splits off a leading sign.
bool Negative(std::string_view& t) {
    t = t.substr(SkipSpace(t));
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        const bool negative = t[0] == '-';
        t.remove_prefix(1);
        return negative;
    }
    return false;
}

}  // namespace

TypedAngle TypedRightAscension(std::string_view text) {
    const NumberField f = ScanReal(text);
    if (f.Found && f.Whole) {
        if (f.OutOfRange) return {0.0, "this number is beyond any range"};
        return {f.Value, {}};  // a plain number: degrees
    }
    static constexpr UnitMarks kHours = {{{"h", "", ""}, {"m", "'", ""}, {"s", "\"", ""}}};
    std::string_view t = text;
    if (Negative(t)) return {0.0, "a right ascension in hours has no sign"};
    if (const auto hours = Sexagesimal(t, kHours)) {
        if (*hours >= 24.0) return {0.0, "a right ascension lies below 24 hours"};
        return {*hours * 15.0, {}};
    }
    return {0.0, "not a right ascension: degrees (83.633), hours (5h34m31.9s, 5.575h) or "
                 "hh:mm:ss (05:34:31.9)"};
}

TypedAngle TypedDeclination(std::string_view text) {
    const NumberField f = ScanReal(text);
    TypedAngle a;
    if (f.Found && f.Whole) {
        if (f.OutOfRange) return {0.0, "this number is beyond any range"};
        a.Degrees = f.Value;
    } else {
        // Degrees as the degree sign (Latin-1 or UTF-8) or d; minutes and
        // seconds as m, ' and s, ".
        static constexpr UnitMarks kDegrees = {
            {{"\xC2\xB0", "\xB0", "d"}, {"m", "'", ""}, {"s", "\"", ""}}};
        std::string_view t = text;
        const bool negative = Negative(t);
        const auto degrees = Sexagesimal(t, kDegrees);
        if (!degrees)
            return {0.0, "not a declination: degrees (22.0145) or +dd:mm:ss (+22:00:52)"};
        a.Degrees = negative ? -*degrees : *degrees;
    }
    if (std::fabs(a.Degrees) > 90.0) a.Problem = "a declination lies between -90 and +90 degrees";
    return a;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string NameAsUtf8(std::string_view name) {
    std::size_t i = 0;
    while (i < name.size()) {
        const std::size_t n = Utf8Length(name.substr(i));
        if (n == 0) {
            // No character here. A character cut short by the end of the
            // text (the 39-character limit) is dropped; else this is no UTF-8.
            if (CutUtf8(name.substr(i))) return std::string(name.substr(0, i));
            return Latin1ToUtf8(name);
        }
        i += n;
    }
    return std::string(name);
}

}  // namespace kelvo
