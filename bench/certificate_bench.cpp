// SPDX-License-Identifier: GPL-3.0-or-later
// A certificate from a working folder with a 50,001-value evaluation profile:
// made, drawn and written as a PDF by the export action, and the PDF's size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "certificate/qt/qt_certificate_actions.h"

namespace {

namespace fs = std::filesystem;

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& line : lines) out << line << "\r\n";
}

// Noise on a feed mark: every pixel column of the graph holds a different span.
std::vector<std::string> Values(std::size_t count, double amplitude) {
  std::mt19937_64 engine(42);
  std::normal_distribution<double> noise(0, amplitude / 10);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    double value = amplitude * std::sin(static_cast<double>(i) / 16) + noise(engine);
    lines.push_back(std::to_string(value));
  }
  return lines;
}

void WriteWorkingFolder(const fs::path& folder) {
  fs::create_directories(folder);
  WriteLines(folder / "Parameter.csv", {"Ra     0.235 um", "Rq     0.301 um", "Rz     1.842 um"});
  WriteLines(folder / "Condition.csv", {"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD JIS 2001",
                                        "LS  2.5um", "STP 0.50", "UNT 1", "LNG E"});
  WriteLines(folder / "Evaluation.csv", Values(50001, 1));
  WriteLines(folder / "Graph_BAC.Csv", Values(1000, 1));
  WriteLines(folder / "Graph_ADC.Csv", Values(1000, 10));
  WriteLines(folder / "Comment.INI", {"Work Name", "Measuring Tool", "Operator", "Comment", "Shaft",
                                      "Corvanet KV-730", "Tarnwick", "Ver3.00"});
  WriteLines(folder / "Autoprint.INI", {"0", "0", "1", "1", "0", "0"});
  fs::copy_file(fs::path(KV_WORKBOOKS_DIR) / "KV_Certificate.xls", folder / "KV_Certificate.xls",
                fs::copy_options::overwrite_existing);
}

void BM_CertificatePdf(benchmark::State& state) {
  std::string drive = (fs::temp_directory_path() / "kv-bench-XXXXXX").string();
  fs::path driveC = ::mkdtemp(drive.data());
  fs::path work = driveC / "Tarnwick Corvanet" / "KV-730";
  WriteWorkingFolder(work);
  kv::FileSystem files{kv::DriveMap(driveC)};
  kv::QtCertificateActions actions(files, "C:\\Tarnwick Corvanet\\KV-730\\");
  double pdfBytes = 0;
  for (auto _ : state) {
    auto exported = actions.Export(kv::Paper::kA4);
    state.PauseTiming();
    if (!exported.ok()) state.SkipWithError(exported.status().description().c_str());
    for (const auto& entry : fs::directory_iterator(work)) {
      if (entry.path().extension() != ".pdf") continue;
      pdfBytes = static_cast<double>(fs::file_size(entry.path()));
      fs::remove(entry.path());
    }
    state.ResumeTiming();
  }
  state.counters["pdf_bytes"] = pdfBytes;
  fs::remove_all(driveC);
}
BENCHMARK(BM_CertificatePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application, not a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
