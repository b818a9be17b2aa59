// SPDX-License-Identifier: GPL-3.0-or-later
#include "certificate/qt/qt_certificate_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <regex>
#include <set>
#include <thread>

#include "working_folder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// What pdfinfo and pdftotext read in a PDF: its paper and its text.
std::string PdfText(const fs::path& pdf) {
  const std::string file = "'" + pdf.string() + "'";
  std::string text;
  if (FILE* pipe =
          ::popen(("pdfinfo " + file + " && pdftotext -enc UTF-8 " + file + " -").c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

// The spool folder of the print server that scripts/start-cups.sh runs, when
// the tests are to print on it (main() keeps CUPS_SERVER only then).
const char* PrintSpool() {
  return qEnvironmentVariable("KV_TEST_CUPS") == "1" ? std::getenv("KV_TEST_CUPS_SPOOL") : nullptr;
}

// The documents of the print jobs the server has kept.
std::set<fs::path> JobFiles(const fs::path& spool) {
  static const std::regex kDocument("d[0-9]+-[0-9]+");
  std::set<fs::path> files;
  for (const auto& entry : fs::directory_iterator(spool)) {
    if (std::regex_match(entry.path().filename().string(), kDocument)) files.insert(entry.path());
  }
  return files;
}

// The print system's default destination named by the environment for the scope.
class DefaultPrinterNamed {
 public:
  explicit DefaultPrinterNamed(const char* name) { qputenv("LPDEST", name); }
  ~DefaultPrinterNamed() { qunsetenv("LPDEST"); }
};

class QtCertificateActionsTest : public kvtest::WorkingFolderTest {
 protected:
  std::ptrdiff_t FilesInWorkingFolder() const {
    return std::distance(fs::directory_iterator(work_), {});
  }

  // Exports twice within a second or two: the second PDF must not replace the
  // first, and no temporary file may be left. Returns their texts.
  std::vector<std::string> ExportTwice(Paper paper) {
    const auto before = FilesInWorkingFolder();
    auto first = actions_.Export(paper), second = actions_.Export(paper);
    EXPECT_TRUE(first.ok() && second.ok()) << first.status().description();
    if (!first.ok() || !second.ok()) return {};
    EXPECT_NE(first.value(), second.value());
    EXPECT_EQ(FilesInWorkingFolder(), before + 2);
    std::vector<std::string> texts;
    for (const std::string& path : {first.value(), second.value()}) {
      EXPECT_THAT(path, ::testing::MatchesRegex(R"(C:\\Tarnwick Corvanet\\KV-730\\)"
                                                R"(Certificate_[0-9]{8}_[0-9]{6}(_2)?\.pdf)"));
      const fs::path pdf = files_.drives().HostPath(path);
      texts.push_back(PdfText(pdf));
      fs::remove(pdf);
    }
    return texts;
  }

  // The action fails with `code` and a description that starts with
  // `message`, and adds or removes no file of the working folder.
  void ExpectRefused(const std::function<Status()>& action, StatusCode code,
                     const std::string& message) {
    const auto before = FilesInWorkingFolder();
    Status status = action();
    EXPECT_EQ(status.code(), code) << message;
    EXPECT_EQ(status.description().substr(0, message.size()), message);
    EXPECT_EQ(FilesInWorkingFolder(), before);
  }

  QtCertificateActions actions_{files_, "C:\\Tarnwick Corvanet\\KV-730"};  // no end separator
};

// The language switched between the two exports outweighs the controller's "LNG J".
TEST_F(QtCertificateActionsTest, ExportWritesANewPdfOfTheMeasurementInItsLanguageAndPaper) {
  kvtest::WriteWorkingFolder(work_, 50001);
  for (const std::string& text : ExportTwice(Paper::kA4)) {
    for (const char* shown : {"pts (A4)", "評価曲線", "ワーク名", "サンプル", "0.235 um", "RSm",
                              "JIS 2001", "0.50 µm", "メートル系", "位置 [mm]", "(BAC)", "(ADC)"}) {
      EXPECT_THAT(text, HasSubstr(shown));
    }
    EXPECT_THAT(text, Not(HasSubstr("Evaluation profile")));
  }
  ASSERT_TRUE(actions_.SwitchLanguage(Paper::kA4).ok());
  EXPECT_EQ(kvtest::ReadBytes(work_ / "Certificate.INI"), "E\r\n");
  kvtest::WriteLines(work_ / "Condition.csv",
                     {"CUT 0.03in", "N 5", "CUV R", "FIL GAUSS", "STD ANSI", "LS  100uin",
                      "STP 20.0", "UNT 2", "LNG J"});
  kvtest::WriteLines(work_ / "Autoprint.INI", {"0", "0", "1", "2", "0", "0"});  // enlarged
  for (const std::string& text : ExportTwice(Paper::kLetter)) {
    for (const char* shown : {"pts (letter)", "Evaluation profile", "ANSI", "0.03in", "100uin",
                              "20.0 µin", "Inch", "Position [in]", "Height [µin]"}) {
      EXPECT_THAT(text, HasSubstr(shown));
    }
    EXPECT_THAT(text, Not(HasSubstr("(BAC)")));
    EXPECT_THAT(text, Not(HasSubstr("評価曲線")));
  }
  ASSERT_TRUE(actions_.SwitchLanguage(Paper::kLetter).ok());
  EXPECT_EQ(kvtest::ReadBytes(work_ / "Certificate.INI"), "J\r\n");
}

TEST_F(QtCertificateActionsTest, RefusedActionsSayWhyAndWriteNothing) {
  const std::string work = kvtest::kWorkFolder;
  kvtest::WriteWorkingFolder(work_);
  {
    // A default that does not exist, on no server or on the test print server alike.
    DefaultPrinterNamed none("kv-no-such-printer");
    ExpectRefused(
        [&] { return actions_.Print(Paper::kA4); }, StatusCode::kFailed,
        "No printer is available to print the certificate: no default printer is set up.");
  }
  // The certificate is made first: a damaged template stops a print before the printer.
  kvtest::WriteBytes(work_ / "KV_Certificate_Letter.xls", std::string(5000, 'x'));
  ExpectRefused([&] { return actions_.Print(Paper::kLetter); }, StatusCode::kBadFile,
                "Cannot open workbook \"" + work +
                    "KV_Certificate_Letter.xls\": the file is not a readable workbook");
  fs::copy_file(KV_TEST_BOOK, work_ / "KV_Certificate.xls", fs::copy_options::overwrite_existing);
  ExpectRefused([&] { return actions_.Preview(Paper::kA4); }, StatusCode::kBadFile,
                "The workbook \"" + work + "KV_Certificate.xls\" has no sheet \"Certificate\".");
  fs::remove(work_ / "KV_Certificate.xls");
  ExpectRefused(
      [&] { return actions_.Export(Paper::kA4).status(); }, StatusCode::kFileError,
      "Cannot open workbook \"" + work + "KV_Certificate.xls\": the file does not exist.");
  // A folder where the file should go stands for a write that cannot complete.
  kvtest::WriteBytes(work_ / "Certificate.INI" / "inside", "");
  ExpectRefused([&] { return actions_.SwitchLanguage(Paper::kA4); }, StatusCode::kFileError,
                "Cannot keep the certificate language in the working folder \"" + work +
                    "\": Cannot write \"" + work + "Certificate.INI\": ");
}

// However many parameters share the table, in either language and on either
// paper, headers and values show whole, not cut to "Parame…".
TEST_F(QtCertificateActionsTest, ParameterTableShowsEveryHeaderAndValueWhole) {
  kvtest::WriteWorkingFolder(work_);
  std::vector<std::string> parameters;  // three column pairs
  for (int n = 1; n <= 25; ++n) parameters.push_back("Rzj" + std::to_string(n) + "  -1234.567 uin");
  kvtest::WriteLines(work_ / "Parameter.csv", parameters);
  for (Paper paper : {Paper::kA4, Paper::kLetter}) {
    for (const auto& [language, header] :
         {std::pair{"J", "パラメータ"}, std::pair{"E", "Parameter"}}) {
      kvtest::WriteLines(work_ / "Certificate.INI", {language});
      auto exported = actions_.Export(paper);
      ASSERT_TRUE(exported.ok()) << exported.status().description();
      const std::string text = PdfText(files_.drives().HostPath(exported.value()));
      for (const char* shown : {header, "Rzj25", "-1234.567 uin"})
        EXPECT_THAT(text, HasSubstr(shown));
      EXPECT_THAT(text, Not(HasSubstr("…"))) << header;
    }
  }
}

// On the print server of scripts/start-cups.sh: its default queue keeps each
// document as it came, so the job is the certificate's PDF.
TEST_F(QtCertificateActionsTest, PrintSendsTheCertificateToTheDefaultPrinter) {
  const char* spool = PrintSpool();
  if (!spool) {
    GTEST_SKIP() << "No test print server: scripts/run-tests.sh starts one (scripts/start-cups.sh) "
                    "and sets KV_TEST_CUPS=1, CUPS_SERVER and KV_TEST_CUPS_SPOOL.";
  }
  kvtest::WriteWorkingFolder(work_);
  kvtest::WriteLines(work_ / "Parameter.csv", {"Ra     0.4711 um", "Rz     3.1416 um"});
  const auto before = JobFiles(spool);
  Status printed = actions_.Print(Paper::kLetter);
  ASSERT_TRUE(printed.ok()) << printed.description();
  std::string job;  // the server may take a moment to store the job
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (job.empty() && std::chrono::steady_clock::now() < deadline) {
    for (const fs::path& file : JobFiles(spool)) {
      if (!before.contains(file)) job = PdfText(file);
    }
    if (job.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  for (const char* shown : {"pts (letter)", "0.4711 um", "Rz", "3.1416 um", "ワーク名"}) {
    EXPECT_THAT(job, HasSubstr(shown));
  }
}

// Dialogs belong to the application thread: a preview asked for from another
// thread waits there until it is closed. (An export from another thread:
// tests/ui/window_test.cpp, whose window runs every job off its thread.)
TEST_F(QtCertificateActionsTest, PreviewFromAnotherThreadShowsOnTheApplicationThread) {
  kvtest::WriteWorkingFolder(work_, 50001);
  bool previewOnApplicationThread = false;
  QTimer closer;  // looks until the preview is up, however long the certificate takes
  QObject::connect(&closer, &QTimer::timeout, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    if (!shown) return;
    previewOnApplicationThread = qobject_cast<QPrintPreviewDialog*>(shown) &&
                                 shown->thread() == QCoreApplication::instance()->thread();
    shown->close();
  });
  closer.start(50);
  std::optional<Status> previewed;
  QEventLoop loop;
  std::thread caller([&] {
    previewed = actions_.Preview(Paper::kLetter);
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec();
  caller.join();
  EXPECT_TRUE(previewed->ok()) << previewed->description();
  EXPECT_TRUE(previewOnApplicationThread);
}

}  // namespace
}  // namespace kv
