// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_text.h"

#include <cstdio>
#include <sstream>

namespace kvtest {
namespace {

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

}  // namespace

std::string PdfText(const std::filesystem::path& pdf) {
  return Output("pdftotext -enc UTF-8 " + Quoted(pdf) + " - 2>&1");
}

QSizeF PdfPageSize(const std::filesystem::path& pdf) {
  std::istringstream info(Output("pdfinfo " + Quoted(pdf) + " 2>&1"));
  std::string line;
  while (std::getline(info, line)) {
    double width = 0;
    double height = 0;
    if (std::sscanf(line.c_str(), "Page size: %lf x %lf", &width, &height) == 2) {
      return {width, height};
    }
  }
  return {};
}

}  // namespace kvtest
