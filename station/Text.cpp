#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <cmath>

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

}  // namespace

double ParseReal(std::string_view text) {
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
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + begin, text.data() + i, value, std::chars_format::general);
    if (error != std::errc() || !std::isfinite(value)) return 0.0;
    (void)end;
    return negative ? -value : value;
}

long ParseInteger(std::string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<std::int32_t>::max();
    while (i < text.size() && IsDigit(text[i])) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit + 1);
        ++i;
    }
    if (negative) value = -value;
    return static_cast<long>(std::clamp<long long>(value, -kLimit - 1, kLimit));
}

}  // namespace kelvo
