// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

class QFont;

namespace kv {

// The font row for a country: the character set the texts need, the face
// made for it, and the size.
struct CountryFont {
  int Charset;
  QString Name;  // empty: keep the control's designed face
  int size;
};

// The first row whose country name matches exactly; the last row otherwise.
CountryFont CountryFontFor(std::string_view countryName);

// Sets character set, face and size of `font` for the country. The character
// set becomes a face that can write it: the named face where installed, else
// the first installed face for that writing system.
void ApplyCountryFont(QFont& font, std::string_view countryName);

}  // namespace kv
