#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as dialog fields and the profile file show them, always with a decimal point,
// whatever the user's locale.
std::string formatFloat(float value);   // "%.6g"
std::string formatDouble(double value); // "%.15g"
std::string formatFixed(double value);  // "%f"

// The dialog rule for typed numbers: the text is cut to 31 characters, leading spaces and
// tabs skipped, then strtod; 0.0 from a text not starting with '0' fails, and only spaces
// and tabs may follow the number.
std::optional<double> parseDialogNumber(std::string_view text);

// The C runtime's atoi and atof ("C" locale): the longest numeric prefix after leading
// blanks, 0 when there is none.
int atoiC(std::string_view text);
double atofC(std::string_view text);
