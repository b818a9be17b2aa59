// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>

namespace kv {

const char* CodePageOfLanguage(int languageIndex) {
  switch (languageIndex) {
    case 0:
      return "CP932";
    case 4:
      return "CP936";
    case 5:
      return "CP949";
    default:
      return "CP1252";
  }
}

std::string CodePageToUtf8(std::string_view bytes, const char* codePage) {
  iconv_t converter = iconv_open("UTF-8", codePage);
  // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv_open's failure value
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* next = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter, &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: four bytes out for every byte in
    // An invalid or cut-off sequence: one replacement character, then go on.
    ++in;
    --inLeft;
    if (outLeft < 3) break;
    *next++ = '\xEF';
    *next++ = '\xBF';
    *next++ = '\xBD';
    outLeft -= 3;
  }
  iconv_close(converter);
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8, const char* codePage) {
  iconv_t converter = iconv_open(codePage, "UTF-8");
  // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv_open's failure value
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
  std::string out(utf8.size() * 2 + 4, '\0');  // no code page needs more than two bytes a character
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* next = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0 && outLeft > 0) {
    if (iconv(converter, &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;
    // A character the code page lacks, or broken UTF-8: "?" for its bytes.
    do {
      ++in;
      --inLeft;
    } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
    *next++ = '?';
    --outLeft;
  }
  iconv_close(converter);
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

}  // namespace kv
