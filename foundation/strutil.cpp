// Number <-> text conversion for the program's files, and small text helpers.
#include "foundation/strutil.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <langinfo.h>
#include <locale.h>
#include <system_error>

const char* const kVersionText = "1.0";
const char* const kHelpPageName = "index.html";

namespace {

char gDecimalSeparator = '.';

bool isControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Upper case of a code point of the two-byte UTF-8 range (Latin-1, Latin Extended-A, Greek and
// Cyrillic letters); every result is again a two-byte code point. Other code points are returned as
// they are.
int upperTwoByte(int cp) {
    if ((cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 0x20;
    if (cp == 0xFF) return 0x178;
    // Latin Extended-A pairs: upper case first, except in the two runs that start one later.
    bool oddRun = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    bool evenRun = (cp >= 0x100 && cp <= 0x137 && cp != 0x131) || (cp >= 0x14A && cp <= 0x177);
    if (evenRun && cp % 2 == 1) return cp - 1;
    if (oddRun && cp % 2 == 0) return cp - 1;
    if (cp == 0x3AC) return 0x386;
    if (cp >= 0x3AD && cp <= 0x3AF) return cp - 0x25;
    if (cp == 0x3C2) return 0x3A3; // final sigma
    if (cp >= 0x3B1 && cp <= 0x3CB) return cp - 0x20;
    if (cp == 0x3CC) return 0x38C;
    if (cp == 0x3CD || cp == 0x3CE) return cp - 0x3F;
    if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
    return cp;
}

// Upper-cases the letter that starts at byte k: an ASCII letter, or a letter written as a valid
// two-byte UTF-8 sequence (bytes that are not UTF-8 are left alone).
void upperLetterAt(std::string& s, std::size_t k) {
    unsigned char b0 = static_cast<unsigned char>(s[k]);
    if (b0 < 0x80) {
        s[k] = asciiUpper(s[k]);
        return;
    }
    if (b0 < 0xC2 || b0 > 0xDF || k + 1 >= s.size()) return;
    unsigned char b1 = static_cast<unsigned char>(s[k + 1]);
    if ((b1 & 0xC0) != 0x80) return;
    int cp = upperTwoByte((b0 & 0x1F) << 6 | (b1 & 0x3F));
    s[k] = static_cast<char>(0xC0 | cp >> 6);
    s[k + 1] = static_cast<char>(0x80 | (cp & 0x3F));
}

// A decimal number held as its significant digits and the position of the decimal point:
// value = 0.d1d2d3... * 10^point.
struct Decimal {
    std::string digits;
    int point = 0;
};

// The shortest digits that read back as m (m > 0 and finite).
Decimal toDecimal(double m) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::scientific);
    std::string s(buf, r.ptr);
    Decimal d;
    std::size_t e = s.find('e');
    for (std::size_t k = 0; k < e; ++k)
        if (s[k] != '.') d.digits += s[k];
    int exponent = 0;
    const char* p = s.c_str() + e + 1;
    if (*p == '+') ++p;
    std::from_chars(p, s.c_str() + s.size(), exponent);
    d.point = exponent + 1;
    return d;
}

// Keeps the first `keep` digits, rounding the rest half away from zero; a carry out of the
// first digit moves the point.
void roundDigits(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.assign(1, '0');
        d.point = 1;
        return;
    }
    if (keep >= static_cast<int>(d.digits.size())) return;
    bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up) return;
    int k = keep - 1;
    while (k >= 0 && d.digits[k] == '9') d.digits[k--] = '0';
    if (k >= 0) {
        d.digits[k] += 1;
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.point += 1;
    }
}

void dropTrailingZeros(std::string& s) {
    while (!s.empty() && s.back() == '0') s.pop_back();
}

std::string fixedForm(double m, int fractionDigits) {
    Decimal d = toDecimal(m);
    roundDigits(d, d.point + fractionDigits);
    std::string whole, fraction;
    for (int k = 0; k < d.point; ++k) whole += k < static_cast<int>(d.digits.size()) ? d.digits[k] : '0';
    for (int k = 0; k < fractionDigits; ++k) {
        int idx = d.point + k;
        fraction += (idx >= 0 && idx < static_cast<int>(d.digits.size())) ? d.digits[idx] : '0';
    }
    if (whole.empty()) whole.assign(1, '0');
    dropTrailingZeros(fraction);
    if (!fraction.empty()) {
        whole.push_back(gDecimalSeparator);
        whole.append(fraction);
    }
    return whole;
}

std::string exponentText(const Decimal& d, char separator) {
    std::string fraction = d.digits.substr(1);
    dropTrailingZeros(fraction);
    int exponent = d.point - 1;
    std::string s(1, d.digits[0]);
    if (!fraction.empty()) s += separator + fraction;
    s += exponent < 0 ? "e-" : "e+";
    s += std::to_string(exponent < 0 ? -exponent : exponent);
    return s;
}

std::string exponentForm(double m) {
    Decimal exact = toDecimal(m);
    Decimal d = exact;
    roundDigits(d, 4);
    // Next to the largest double, rounding up gives a number above it that no reader takes back
    // (1.798e+308): the digits are cut instead, so that every written number reads again.
    std::string pointed = exponentText(d, '.');
    double check = 0;
    if (std::from_chars(pointed.data(), pointed.data() + pointed.size(), check).ec ==
        std::errc::result_out_of_range) {
        d = exact;
        if (d.digits.size() > 4) d.digits.resize(4);
    }
    return exponentText(d, gDecimalSeparator);
}

// Reads the whole of s (already trimmed, sign included) as a number written with a point.
// Underflow reads as zero; overflow, NaN, infinity and anything else fail.
bool readPointNumber(const std::string& s, double& out) {
    std::size_t k = 0;
    bool negative = false;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) negative = s[k++] == '-';
    if (k >= s.size()) return false;
    for (std::size_t j = k; j < s.size(); ++j) {
        char c = s[j];
        bool ok = (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
        if (!ok) return false;
    }
    if (s[k] == '+' || s[k] == '-') return false; // a second sign
    const char* first = s.c_str() + k;
    const char* last = s.c_str() + s.size();
    double v = 0;
    auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ptr != last) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow or overflow: tell them apart by the decimal magnitude of the text,
        // value ~ 0.ddd * 10^(mag + exp).
        long long intDigits = 0, leadingFractionZeros = 0;
        bool intNonZero = false, fractionNonZero = false, afterPoint = false;
        const char* p = first;
        for (; p < last && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') {
                afterPoint = true;
            } else if (!afterPoint) {
                if (*p != '0' || intNonZero) {
                    intNonZero = true;
                    ++intDigits;
                }
            } else if (!intNonZero && !fractionNonZero) {
                if (*p == '0')
                    ++leadingFractionZeros;
                else
                    fractionNonZero = true;
            }
        }
        long long mag = intNonZero ? intDigits : -leadingFractionZeros;
        bool seenNonZero = intNonZero || fractionNonZero;
        long long exp = 0;
        if (p < last) {
            ++p;
            bool expNeg = false;
            if (p < last && (*p == '+' || *p == '-')) expNeg = *p++ == '-';
            for (; p < last && exp < 100000; ++p) exp = exp * 10 + (*p - '0');
            if (expNeg) exp = -exp;
        }
        if (!seenNonZero || mag + exp <= 0) {
            out = negative ? -0.0 : 0.0;
            return true;
        }
        return false;
    }
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    out = negative ? -v : v;
    return true;
}

// Reads s with `sep` as the only accepted decimal separator.
bool readWithSeparator(std::string s, char sep, double& out) {
    if (sep != '.') {
        if (s.find('.') != std::string::npos) return false;
        std::size_t at = s.find(sep);
        if (at != std::string::npos) s[at] = '.';
    }
    return readPointNumber(s, out);
}

} // namespace

char decimalSeparator() {
    return gDecimalSeparator;
}

void setDecimalSeparator(char sep) {
    gDecimalSeparator = (sep == ',') ? ',' : '.';
}

char systemDecimalSeparator() {
    // The user's numeric locale from the environment, looked up without touching the process locale
    // (which stays "C", as the toolkit wants it).
    locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return '.';
    const char* radix = ::nl_langinfo_l(RADIXCHAR, user);
    const char sep = radix != nullptr && radix[0] == ',' ? ',' : '.';
    ::freelocale(user);
    return sep;
}

void useSystemDecimalSeparator() {
    setDecimalSeparator(systemDecimalSeparator());
}

std::string intToText(int v) {
    return std::to_string(v);
}

std::string longToText(long long v) {
    return std::to_string(v);
}

std::string digitPlaceholders(int n) {
    return n > 0 ? std::string(static_cast<std::size_t>(n), '#') : "";
}

std::string formatFloat(double x) {
    if (x == 0 || !std::isfinite(x)) return "0";
    double mx = std::fabs(x);
    // The magnitude test is made in single precision, before any rounding.
    float m = static_cast<float>(mx);
    std::string s;
    if (m >= 100.0f && m < 1000.0f)
        s = fixedForm(mx, 1);
    else if (m >= 10.0f && m < 100.0f)
        s = fixedForm(mx, 2);
    else if (m >= 1.0f && m < 10.0f)
        s = fixedForm(mx, 3);
    else if (m >= 0.1f && m < 1.0f)
        s = fixedForm(mx, 4);
    else if (m >= 0.009999999f && m < 0.1f)
        s = fixedForm(mx, 5);
    else
        s = exponentForm(mx);
    return x < 0 ? "-" + s : s;
}

std::string boolToText(bool b) {
    return b ? "true" : "false";
}

double textToFloat(const std::string& text) {
    std::string s = trimControl(text);
    double v = 0;
    char sep = gDecimalSeparator;
    if (readWithSeparator(s, sep, v)) return v;
    std::size_t at = s.find('.');
    if (at != std::string::npos) {
        s[at] = ',';
    } else {
        at = s.find(',');
        if (at != std::string::npos) s[at] = '.';
    }
    if (readWithSeparator(s, sep, v)) return v;
    return 1.0;
}

int textToInt(const std::string& text) {
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || (text[k] >= '\t' && text[k] <= '\r'))) ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
    long long v = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
        v = v * 10 + (text[k] - '0');
        if (v > limit) v = limit; // saturates instead of overflowing
    }
    return static_cast<int>(negative ? -v : v);
}

bool textToBool(const std::string& text) {
    return trimControl(text) == "true";
}

std::string capitaliseWords(const std::string& text) {
    std::string s = text;
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (k == 0 || s[k - 1] == ' ' || s[k - 1] == '(' || s[k - 1] == '[' || s[k - 1] == '{')
            upperLetterAt(s, k);
    }
    return s;
}

bool splitAt(const std::string& text, char ch, std::string& left, std::string& right) {
    std::size_t at = text.find(ch);
    if (at == std::string::npos) {
        left = text;
        right.clear();
        return false;
    }
    std::string l = text.substr(0, at), r = text.substr(at + 1); // text may alias left or right
    left = std::move(l);
    right = std::move(r);
    return true;
}

void splitToList(const std::string& text, char ch, Llist<std::string>& list) {
    std::string copy = text; // text may be an item of list
    list.clear();
    std::size_t from = 0;
    for (;;) {
        std::size_t at = copy.find(ch, from);
        if (at == std::string::npos) break;
        list.add(copy.substr(from, at - from));
        from = at + 1;
    }
    list.add(copy.substr(from));
}

bool isAllDigits(const std::string& text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int truncToInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return INT_MAX;
    if (x <= -2147483648.0) return INT_MIN;
    return static_cast<int>(x);
}

std::string_view trimLeftControlView(std::string_view s) {
    std::size_t k = 0;
    while (k < s.size() && isControlOrBlank(s[k])) ++k;
    return s.substr(k);
}

std::string_view trimControlView(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && isControlOrBlank(s[a])) ++a;
    while (b > a && isControlOrBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

std::string trimLeftControl(const std::string& s) {
    return std::string(trimLeftControlView(s));
}

std::string trimControl(const std::string& s) {
    return std::string(trimControlView(s));
}

std::string upperCase(const std::string& s) {
    std::string u = s;
    for (char& c : u) c = asciiUpper(c);
    return u;
}
