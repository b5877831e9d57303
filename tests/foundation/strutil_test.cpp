// Numbers as the program's files write and read them, and the small text helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "foundation/strutil.h"
#include "tests/common/tempdir.h"
#include "tests/common/waituntil.h"

namespace {

// Every test leaves the separator as it found it.
class Numbers : public ::testing::Test {
  protected:
    void TearDown() override { setDecimalSeparator('.'); }
};

std::string pieces(const Llist<std::string>& l) {
    std::string s;
    for (const std::string& x : l) s += "[" + x + "]";
    return s;
}

} // namespace

TEST_F(Numbers, FormatFloatTable) {
    const struct {
        double x;
        const char* text;
    } table[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {1.0, "1"},
        {120.0, "120"},
        {123.456, "123.5"},
        {12.3456, "12.35"},
        {1.5, "1.5"},
        {0.8, "0.8"},
        {0.123456, "0.1235"},
        {0.05, "0.05"},
        {1000.0, "1e+3"},
        {1234.5, "1.235e+3"},
        {20000.0, "2e+4"},
        {0.001, "1e-3"},
        {0.0099, "9.9e-3"},
        {999.96, "1000"},
        {99.999, "100"},
        {9.9996, "10"},
        {0.99999, "1"},
        {0.1, "0.1"},
        {0.01, "0.01"},
        {100.0, "100"},
        {10.0, "10"},
        {-1e-5, "-1e-5"},
        {1e300, "1e+300"},
        {1e-300, "1e-300"},
        {5e-324, "5e-324"},
        {-123456789.0, "-1.235e+8"},
        // Exact halves round away from zero.
        {100.25, "100.3"},
        {-100.25, "-100.3"},
        {10.125, "10.13"},
        {1.0625, "1.063"},
        {0.015625, "0.01563"},
        {12345.0, "1.235e+4"},
        {-0.03125, "-0.03125"},
        {2.5e-5, "2.5e-5"},
        // The exponent is renormalised when rounding carries into a new digit.
        {9999.6, "1e+4"},
        {-99996.0, "-1e+5"},
        {0.00999999, "1e-2"},
        {9.9996e-7, "1e-6"},
    };
    for (const auto& row : table) EXPECT_EQ(formatFloat(row.x), row.text) << row.x;
}

TEST_F(Numbers, FormatFloatMagnitudeTestIsSinglePrecision) {
    // 999.99997 is 1000 in single precision, so it is written in exponent form.
    ASSERT_EQ(static_cast<float>(999.99997), 1000.0f);
    EXPECT_EQ(formatFloat(999.99997), "1e+3");
    // Just below the smallest fixed-form magnitude in single precision.
    EXPECT_EQ(formatFloat(0.0099999), "1e-2");
    EXPECT_EQ(formatFloat(0.009999999), "0.01");
}

TEST_F(Numbers, FormatFloatNeverWritesNanOrInfinity) {
    EXPECT_EQ(formatFloat(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(formatFloat(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(formatFloat(-std::numeric_limits<double>::infinity()), "0");
}

TEST_F(Numbers, FormatFloatNextToTheLargestDoubleReadsBack) {
    // Rounding 1.7976931e308 to four digits would give 1.798e+308, above every double: such a number
    // read back as 1 (and its negative as +1). The digits are cut instead.
    const double big = std::numeric_limits<double>::max();
    EXPECT_EQ(formatFloat(big), "1.797e+308");
    EXPECT_EQ(formatFloat(-big), "-1.797e+308");
    EXPECT_EQ(formatFloat(1.7975e308), "1.797e+308");
    EXPECT_EQ(formatFloat(1.79e308), "1.79e+308");
    for (double x : {big, -big, 1.7975e308, -1.79765e308}) {
        double back = textToFloat(formatFloat(x));
        EXPECT_NEAR(back / x, 1.0, 1e-3) << formatFloat(x);
    }
    setDecimalSeparator(',');
    EXPECT_EQ(formatFloat(big), "1,797e+308");
    EXPECT_NEAR(textToFloat(formatFloat(-big)) / -big, 1.0, 1e-3);
}

TEST_F(Numbers, CommaSeparator) {
    setDecimalSeparator(',');
    EXPECT_EQ(decimalSeparator(), ',');
    EXPECT_EQ(formatFloat(0.5), "0,5");
    EXPECT_EQ(formatFloat(1234.5), "1,235e+3");
    EXPECT_EQ(formatFloat(-12.3456), "-12,35");
    EXPECT_EQ(formatFloat(7.0), "7");
    EXPECT_DOUBLE_EQ(textToFloat("0,5"), 0.5);
    EXPECT_DOUBLE_EQ(textToFloat("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(textToFloat("1,5e+3"), 1500.0);
    EXPECT_DOUBLE_EQ(textToFloat("1,2,3"), 1.0);
    setDecimalSeparator('x'); // anything but a comma means a point
    EXPECT_EQ(decimalSeparator(), '.');
}

TEST_F(Numbers, TextToFloat) {
    const struct {
        const char* text;
        double value;
    } table[] = {
        {"0.5", 0.5},    {" 2.5 ", 2.5},     {"\t-3\r", -3.0}, {"+4", 4.0},     {"1e+3", 1000.0},
        {"2E-2", 0.02},  {".5", 0.5},        {"5.", 5.0},      {"0,5", 0.5},    {"-0,25", -0.25},
        {"1e-999", 0.0}, {"0", 0.0},         {"abc", 1.0},     {"", 1.0},       {"   ", 1.0},
        {"12abc", 1.0},  {"1.5.5", 1.0},     {"1,234.5", 1.0}, {"nan", 1.0},    {"NaN", 1.0},
        {"inf", 1.0},    {"-infinity", 1.0}, {"1e999", 1.0},   {"-1e999", 1.0}, {"0x10", 1.0},
        {"+-1", 1.0},    {"--1", 1.0},       {"1 2", 1.0},     {"e5", 1.0},     {".", 1.0},
        {"1e", 1.0},     {"-", 1.0},
    };
    for (const auto& row : table) EXPECT_DOUBLE_EQ(textToFloat(row.text), row.value) << row.text;
    // Too small to hold reads as zero; too large is not a number.
    EXPECT_EQ(textToFloat("-1e-999"), 0.0);
    EXPECT_EQ(textToFloat("1e-400000000000"), 0.0);
    EXPECT_EQ(textToFloat("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(textToFloat("1" + std::string(400, '0')), 1.0);
    EXPECT_EQ(textToFloat("0.001e310"), 1e307);
    EXPECT_EQ(textToFloat("0.1e310"), 1.0);
    EXPECT_EQ(textToFloat("1000e-310"), 1000e-310);
}

TEST_F(Numbers, FloatRoundTripKeepsFourSignificantDigits) {
    for (double x = 1e-6; x < 1e7; x *= 1.37) {
        for (double v : {x, -x}) {
            double back = textToFloat(formatFloat(v));
            EXPECT_NEAR(back, v, std::fabs(v) * 5e-4) << v;
        }
    }
    for (double v : {0.5, 0.25, 1.0, 2.0, 100.0, 0.125, 120.0})
        EXPECT_EQ(textToFloat(formatFloat(v)), v) << v;
}

TEST(Text, TextToInt) {
    EXPECT_EQ(textToInt("12abc"), 12);
    EXPECT_EQ(textToInt(" -7"), -7);
    EXPECT_EQ(textToInt("\t\n+5"), 5);
    EXPECT_EQ(textToInt("x"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("-"), 0);
    EXPECT_EQ(textToInt("2147483647"), INT_MAX);
    EXPECT_EQ(textToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(textToInt("2147483648"), INT_MAX);
    EXPECT_EQ(textToInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(textToInt("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(textToInt("0012"), 12);
    EXPECT_EQ(textToInt("1.9"), 1);
    EXPECT_EQ(intToText(-42), "-42");
    EXPECT_EQ(intToText(INT_MIN), "-2147483648");
    EXPECT_EQ(longToText(-9000000000LL), "-9000000000");
}

TEST(Text, Bools) {
    EXPECT_TRUE(textToBool(" true\t"));
    EXPECT_FALSE(textToBool("TRUE"));
    EXPECT_FALSE(textToBool("True"));
    EXPECT_FALSE(textToBool("1"));
    EXPECT_FALSE(textToBool(""));
    EXPECT_EQ(boolToText(true), "true");
    EXPECT_EQ(boolToText(false), "false");
}

TEST(Text, SplittingAndCase) {
    std::string l, r;
    EXPECT_TRUE(splitAt("a=b=c", '=', l, r));
    EXPECT_EQ(l, "a");
    EXPECT_EQ(r, "b=c");
    EXPECT_FALSE(splitAt("abc", '=', l, r));
    EXPECT_EQ(l, "abc");
    EXPECT_EQ(r, "");
    std::string same = "x:y";
    EXPECT_TRUE(splitAt(same, ':', same, r));
    EXPECT_EQ(same, "x");
    EXPECT_EQ(r, "y");

    Llist<std::string> list;
    list.add("old");
    splitToList("", ';', list);
    EXPECT_EQ(pieces(list), "[]");
    splitToList("a;b;", ';', list);
    EXPECT_EQ(pieces(list), "[a][b][]");
    splitToList(";;x", ';', list);
    EXPECT_EQ(pieces(list), "[][][x]");
    splitToList(list.at(2), ';', list); // the text may be one of the list's own items
    EXPECT_EQ(pieces(list), "[x]");

    EXPECT_EQ(capitaliseWords("add (bar) [x] {y} z"), "Add (Bar) [X] {Y} Z");
    EXPECT_EQ(capitaliseWords(""), "");
    EXPECT_EQ(capitaliseWords("9th  major \xc3\xa9t\xc3\xa9"), "9th  Major \xc3\x89t\xc3\xa9");
    // Letters beyond ASCII are upper-cased too; bytes that are not UTF-8 stay as they are.
    EXPECT_EQ(capitaliseWords("\xc3\xbc"
                              "ber (\xc3\xbf) [\xc5\x82\xc3\xb3"
                              "d\xc5\xba] {\xd1\x8f} \xcf\x89 \xcf\x82 \xc4\xb1"),
              "\xc3\x9c"
              "ber (\xc5\xb8) [\xc5\x81\xc3\xb3"
              "d\xc5\xba] {\xd0\xaf} \xce\xa9 \xce\xa3 \xc4\xb1");
    EXPECT_EQ(capitaliseWords("\xe9t\xe9 \xc3"), "\xe9t\xe9 \xc3");
    EXPECT_EQ(upperCase("aBc-\xc3\xa9"), "ABC-\xc3\xa9");

    EXPECT_TRUE(isAllDigits(""));
    EXPECT_TRUE(isAllDigits("0123"));
    EXPECT_FALSE(isAllDigits("12a"));
    EXPECT_FALSE(isAllDigits("-1"));
    EXPECT_EQ(digitPlaceholders(3), "###");
    EXPECT_EQ(digitPlaceholders(0), "");
    EXPECT_EQ(digitPlaceholders(-2), "");

    EXPECT_EQ(trimLeftControl(" \t\x01key= x "), "key= x ");
    EXPECT_EQ(trimControl("\r\n value \t"), "value");
    EXPECT_EQ(trimControl("\xc3\xa9"), "\xc3\xa9"); // bytes above 127 are text
    EXPECT_EQ(trimControl("  "), "");
}

TEST(Text, TruncToInt) {
    EXPECT_EQ(truncToInt(2.9), 2);
    EXPECT_EQ(truncToInt(-2.9), -2);
    EXPECT_EQ(truncToInt(std::nan("")), 0);
    EXPECT_EQ(truncToInt(1e12), INT_MAX);
    EXPECT_EQ(truncToInt(-1e12), INT_MIN);
    EXPECT_EQ(truncToInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(truncToInt(2147483646.9), 2147483646);
}

TEST(Text, Constants) {
    EXPECT_STREQ(kVersionText, "1.0");
    EXPECT_STREQ(kHelpPageName, "index.html");
    EXPECT_DOUBLE_EQ(kTwoPi, 2 * kPi);
    EXPECT_DOUBLE_EQ(kOneAndHalfPi, 3 * kHalfPi);
}

namespace {

// Sets an environment variable for a scope and puts the old value back.
struct EnvSet {
    std::string name;
    bool had = false;
    std::string old;
    EnvSet(const char* n, const std::string& value) : name(n) {
        if (const char* v = std::getenv(n)) {
            had = true;
            old = v;
        }
        ::setenv(n, value.c_str(), 1);
    }
    ~EnvSet() {
        if (had)
            ::setenv(name.c_str(), old.c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
};

} // namespace

// The separator comes from the user's numeric locale; a locale that is not installed means '.'.
TEST_F(Numbers, SeparatorFromTheSystemLocale) {
    {
        EnvSet all("LC_ALL", "C");
        EXPECT_EQ(systemDecimalSeparator(), '.');
    }
    {
        EnvSet all("LC_ALL", "xx_NOWHERE.UTF-8");
        EXPECT_EQ(systemDecimalSeparator(), '.');
        useSystemDecimalSeparator();
        EXPECT_EQ(formatFloat(0.5), "0.5");
    }
    // A locale with a decimal comma, built for this test where the tools are at hand.
    TempDir dir;
    const std::string built = dir.file("de_DE.UTF-8");
    const std::string make = testwait::bounded("localedef -i de_DE -f UTF-8 '" + built + "' >/dev/null 2>&1");
    if (std::system(make.c_str()) == -1 || !std::filesystem::is_directory(built))
        GTEST_SKIP() << "no locale with a decimal comma could be built here";
    EnvSet path("LOCPATH", dir.fsPath().string());
    EnvSet all("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(systemDecimalSeparator(), ',');
    useSystemDecimalSeparator();
    EXPECT_EQ(decimalSeparator(), ',');
    EXPECT_EQ(formatFloat(0.5), "0,5");
    EXPECT_EQ(textToFloat("0.25"), 0.25); // reading still takes either
    EXPECT_EQ(textToFloat("0,25"), 0.25);
}
