#pragma once
// Number <-> text conversion as every file of the program writes and reads it, and small text helpers.
#include <string>
#include <string_view>

#include "foundation/llist.h"

extern const char* const kVersionText;  // "1.0"
extern const char* const kHelpPageName; // "index.html"
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kOneAndHalfPi = 1.5 * kPi;

// The user's decimal separator ('.' or ','); numbers are written with it and read with either.
char decimalSeparator();
void setDecimalSeparator(char sep);
// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG); '.' when it names
// no installed locale.
char systemDecimalSeparator();
// Program start: numbers are written with the system's separator from then on.
void useSystemDecimalSeparator();

std::string intToText(int v);
std::string longToText(long long v);
std::string digitPlaceholders(int n);
std::string formatFloat(double x);
std::string boolToText(bool b);
double textToFloat(const std::string& text); // 1.0 when the text is not a number
int textToInt(const std::string& text);      // leading number as atoi reads it, saturated; 0 for none
bool textToBool(const std::string& text);
std::string capitaliseWords(const std::string& text); // ASCII and two-byte UTF-8 letters
bool splitAt(const std::string& text, char ch, std::string& left, std::string& right);
void splitToList(const std::string& text, char ch, Llist<std::string>& list);
bool isAllDigits(const std::string& text);

// The one way a real becomes an integer: truncates toward zero, NaN gives 0, clamps to the int range.
int truncToInt(double x);

std::string trimLeftControl(const std::string& s); // drops leading bytes 0..32
std::string trimControl(const std::string& s);     // drops bytes 0..32 at both ends
// The same as views into the text, for comparing in place without a copy.
std::string_view trimLeftControlView(std::string_view s);
std::string_view trimControlView(std::string_view s);
std::string upperCase(const std::string& s); // ASCII upper case
