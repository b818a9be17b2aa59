// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/locale/country_name.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace kv {
namespace {

// Territory codes and the English country names Windows reports for them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 48> kCountries{{
    {"AR", "ARGENTINA"},      {"AT", "AUSTRIA"},      {"AU", "AUSTRALIA"},
    {"BE", "BELGIUM"},        {"BR", "BRAZIL"},       {"CA", "CANADA"},
    {"CH", "SWITZERLAND"},    {"CL", "CHILE"},        {"CN", "PEOPLE'S REPUBLIC OF CHINA"},
    {"CZ", "CZECH REPUBLIC"}, {"DE", "GERMANY"},      {"DK", "DENMARK"},
    {"ES", "SPAIN"},          {"FI", "FINLAND"},      {"FR", "FRANCE"},
    {"GB", "UNITED KINGDOM"}, {"GR", "GREECE"},       {"HK", "HONG KONG S.A.R."},
    {"HU", "HUNGARY"},        {"ID", "INDONESIA"},    {"IE", "IRELAND"},
    {"IL", "ISRAEL"},         {"IN", "INDIA"},        {"IT", "ITALY"},
    {"JP", "JAPAN"},          {"KR", "KOREA"},        {"MX", "MEXICO"},
    {"MY", "MALAYSIA"},       {"NL", "NETHERLANDS"},  {"NO", "NORWAY"},
    {"NZ", "NEW ZEALAND"},    {"PH", "PHILIPPINES"},  {"PL", "POLAND"},
    {"PT", "PORTUGAL"},       {"RO", "ROMANIA"},      {"RU", "RUSSIA"},
    {"SA", "SAUDI ARABIA"},   {"SE", "SWEDEN"},       {"SG", "SINGAPORE"},
    {"SK", "SLOVAKIA"},       {"TH", "THAILAND"},     {"TR", "TURKEY"},
    {"TW", "TAIWAN"},         {"UA", "UKRAINE"},      {"US", "UNITED STATES"},
    {"VN", "VIETNAM"},        {"ZA", "SOUTH AFRICA"}, {"MO", "MACAO S.A.R."},
}};

}  // namespace

std::string CountryNameOfLocale(std::string_view locale) {
  // language[_TERRITORY][.codeset][@modifier]
  auto underscore = locale.find('_');
  if (underscore == std::string_view::npos) return {};
  std::string_view territory = locale.substr(underscore + 1);
  territory = territory.substr(0, territory.find_first_of(".@"));
  for (const auto& [code, name] : kCountries) {
    if (code == territory) return std::string(name);
  }
  return {};
}

std::string GetCountryName() {
  // The variables in the order the C library gives them precedence.
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    if (const char* value = std::getenv(variable); value && *value) {
      return CountryNameOfLocale(value);
    }
  }
  return {};
}

}  // namespace kv
