// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdio>
#include <initializer_list>
#include <optional>

#include "certificate/certificate_actions.h"
#include "platform/certificate/certificate_spreadsheet.h"
#include "working_folder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kWorkFolder = "C:\\Tarnwick Corvanet\\KV-730\\";
constexpr const char* kA4 = "KV_Certificate.xls";
constexpr const char* kLetter = "KV_Certificate_Letter.xls";

// What a command prints, as pdftotext and pdfinfo read a PDF.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

class CertificateMacrosTest : public ::testing::Test {
 protected:
  // One certificate action on a template of the working folder, as a button runs it.
  Status Action(SpreadsheetApp& app, const char* book,
                std::initializer_list<std::string_view> macros) {
    std::shared_ptr<Workbook> opened;
    return RunCertificateMacros(&app, opened, std::string(kWorkFolder) + book,
                                {macros.begin(), macros.size()});
  }

  std::vector<fs::path> Pdfs() const {
    std::vector<fs::path> pdfs;
    for (const auto& entry : fs::directory_iterator(work_))
      if (entry.path().extension() == ".pdf") pdfs.push_back(entry.path());
    return pdfs;
  }

  kvtest::TempFolder temp_;
  DriveMap drives_{temp_.path()};
  fs::path work_ = temp_.path() / "Tarnwick Corvanet" / "KV-730";
};

// The curves beside the profile only in the layout that puts them there.
TEST_F(CertificateMacrosTest, ExportWritesThePdfWithItsTextAndPaper) {
  struct Case {
    const char* book;
    kvtest::Measurement measurement;
    const char* paper;  // as pdfinfo names it
    std::vector<std::string> texts;
    std::vector<std::string> absent;
  } const cases[] = {
      {kA4,
       {.inch = false, .japanese = true},
       "pts (A4)",
       {"測定成績書",      "ワーク名",       "測定機器",  "測定者",    "コメント", "サンプル",
        "Corvanet KV-730", "Tarnwick",       "Ver3.00",   "0.235 um",  "1.842 um", "RSm",
        "JIS 2001",        "GAUSS",          "0.8mm",     "2.5um",     "0.50 µm",  "メートル系",
        "評価曲線",        "負荷曲線 (BAC)", "位置 [mm]", "高さ [µm]", "(ADC)"},
       {}},
      {kLetter,
       {.inch = true, .japanese = false, .layout = "2"},
       "pts (letter)",
       {"Measurement certificate", "Work Name", "Shaft 12-A", "J. Smith", "Lot 4711", "9.25 uin",
        "RDq", "0.0612", "ANSI", "0.03in", "100uin", "20.0 µin", "Inch", "Position [in]",
        "Height [µin]", "Evaluation profile"},
       {"(BAC)", "(ADC)", "Bearing ratio [%]"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.book);
    kvtest::WriteWorkingFolder(work_, c.measurement);
    CertificateSpreadsheetApp app(drives_);
    // Twice within the same second: the second PDF must not replace the first.
    for (int i = 0; i < 2; ++i) {
      Status exported = Action(app, c.book, {"CreateCertifcate", "SheetExport"});
      ASSERT_TRUE(exported.ok()) << exported.description();
    }
    auto pdfs = Pdfs();
    ASSERT_EQ(pdfs.size(), 2u);
    for (const auto& pdf : pdfs) {
      EXPECT_THAT(pdf.filename().string(),
                  ::testing::MatchesRegex(R"(Certificate_[0-9]{8}_[0-9]{6}(_2)?\.pdf)"));
      const std::string text = Output("pdftotext -enc UTF-8 '" + pdf.string() + "' - 2>&1");
      for (const auto& expected : c.texts) EXPECT_THAT(text, HasSubstr(expected));
      for (const auto& unexpected : c.absent) EXPECT_THAT(text, Not(HasSubstr(unexpected)));
      EXPECT_THAT(Output("pdfinfo '" + pdf.string() + "' 2>&1"), HasSubstr(c.paper));
      fs::remove(pdf);
    }
    // Nothing but the PDFs was left behind: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator()), 9);
  }
}

TEST_F(CertificateMacrosTest, ChangeLanguageFlipsTheWordingAndKeepsIt) {
  kvtest::WriteWorkingFolder(work_, {.japanese = true, .points = 1000});
  const std::string japanese = "測定成績書", english = "Measurement certificate";
  for (const std::string& shown : {japanese, english, japanese, english}) {
    // A new application object each time, as after a restart of the program.
    CertificateSpreadsheetApp app(drives_);
    ASSERT_TRUE(Action(app, kA4, {"CreateCertifcate", "SheetExport"}).ok());
    ASSERT_EQ(Pdfs().size(), 1u);
    const fs::path pdf = Pdfs().front();
    const std::string text = Output("pdftotext -enc UTF-8 '" + pdf.string() + "' - 2>&1");
    fs::remove(pdf);
    EXPECT_THAT(text, HasSubstr(shown));
    EXPECT_THAT(text, Not(HasSubstr(shown == japanese ? english : japanese)));
    ASSERT_TRUE(Action(app, kLetter, {"ChangeLanguage"}).ok());
  }
  EXPECT_EQ(kvtest::ReadBytes(work_ / "Certificate.INI"), "J\r\n");
}

TEST_F(CertificateMacrosTest, OutputsNeedACertificateOfTheSameOpening) {
  kvtest::WriteWorkingFolder(work_, {.points = 1000});
  const auto notCreated = HasSubstr("certificate has not been created");
  for (const char* macro : {"AutoPrint", "PrintPreview", "SheetExport"}) {
    SCOPED_TRACE(macro);
    CertificateSpreadsheetApp app(drives_);
    EXPECT_THAT(Action(app, kA4, {macro}).description(), notCreated);
    // Made in an earlier action: a new Open starts without it.
    ASSERT_TRUE(Action(app, kA4, {"CreateCertifcate"}).ok());
    EXPECT_THAT(Action(app, kA4, {macro}).description(), notCreated);
  }
  // The table works in the plain stand-in too; a failed creation drops the older certificate.
  XlsSpreadsheetApp plain(drives_, CertificateMacros(std::make_shared<CertificateState>()));
  ASSERT_TRUE(plain.Open(std::string(kWorkFolder) + kA4).ok());
  ASSERT_TRUE(plain.Run("CreateCertifcate").ok());
  fs::remove(work_ / "Graph_ADC.Csv");
  EXPECT_FALSE(plain.Run("CreateCertifcate").ok());
  EXPECT_THAT(plain.Run("SheetExport").description(), notCreated);
  EXPECT_TRUE(Pdfs().empty());
}

TEST_F(CertificateMacrosTest, MissingOrDamagedFilesAreNamed) {
  struct Case {
    std::string file;
    std::optional<std::string> content;  // none: the file is removed
    std::string message;
  };
  std::vector<Case> cases = {
      {"Autoprint.INI", std::nullopt, "\"AutoPrint.INI\" is missing from the working folder"},
      {"Evaluation.csv", "0.1\r\n0.25\r\n0.3",
       "\"Evaluation.csv\" in the working folder is damaged: line 3 has no line end"},
      {"Evaluation.csv", "0.1\r\n0.2\r\n0.1x\r\n", "line 3 is not a number: \"0.1x\""},
      {"Graph_BAC.Csv", "", "\"Graph_BAC.Csv\" in the working folder holds no values"},
      {"Graph_BAC.Csv", "1\r\nnan\r\n", "line 2 is not a number: \"nan\""},
      {"Graph_ADC.Csv", "1\r\n\r\n2\r\n",
       "\"Graph_ADC.Csv\" in the working folder is damaged: line 2"},
      {"Parameter.csv", "Ra     0.2 um\r\n\r\n",
       "\"Parameter.csv\" in the working folder is damaged"},
      {"Condition.csv", "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD JIS 2001\r\n",
       "ends before its unit line"},
      {"Condition.csv",
       "CUT 0.8mm\r\nN 5\r\nFIL GAUSS\r\nSTD JIS 2001\r\nLS  2.5um\r\nSTP 0.50\r\n"
       "UNT 1\r\nLNG J\r\n",
       "line 3 does not start with \"CUV\""},
      {"Condition.csv",
       "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD JIS 2001\r\nLS  2.5um\r\nSTP 0.50\r\n"
       "UNT 3\r\n",
       "line 8 is not \"UNT 1\" or \"UNT 2\": \"UNT 3\""},
  };
  for (const char* file : {"Parameter.csv", "Condition.csv", "Evaluation.csv", "Graph_BAC.Csv",
                           "Graph_ADC.Csv", "Comment.INI"}) {
    cases.push_back(
        {file, std::nullopt, "\"" + std::string(file) + "\" is missing from the working folder"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.message);
    kvtest::WriteWorkingFolder(work_, {.points = 100});
    fs::remove(work_ / c.file);
    if (c.content) kvtest::WriteBytes(work_ / c.file, *c.content);
    CertificateSpreadsheetApp app(drives_);
    Status made = Action(app, kA4, {"CreateCertifcate", "SheetExport"});
    EXPECT_THAT(made.description(), HasSubstr(c.message));
    EXPECT_TRUE(Pdfs().empty());
  }
}

TEST_F(CertificateMacrosTest, OutputsThatCannotBeMadeSayWhy) {
  kvtest::WriteWorkingFolder(work_, {.points = 100});
  CertificateSpreadsheetApp app(drives_);
  if (QPrinterInfo::defaultPrinter().isNull()) {  // as on a machine without a printer
    EXPECT_THAT(Action(app, kA4, {"CreateCertifcate", "AutoPrint"}).description(),
                HasSubstr("No printer is available"));
  }
  ASSERT_TRUE(app.Open(std::string(kWorkFolder) + kA4).ok());
  ASSERT_TRUE(app.Run("CreateCertifcate").ok());
  fs::remove_all(work_);
  EXPECT_THAT(app.Run("SheetExport").description(),
              HasSubstr("Cannot write the certificate PDF into the folder \"" + work_.string()));
}

TEST_F(CertificateMacrosTest, PreviewIsModalAndReturnsWhenClosed) {
  kvtest::WriteWorkingFolder(work_, {.points = 50001});
  bool sawModalPreview = false;
  // Looks until the preview is up, however long the certificate takes, then closes it.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&closer, &sawModalPreview] {
    QWidget* shown = QApplication::activeModalWidget();
    if (!shown) return;
    sawModalPreview = qobject_cast<QPrintPreviewDialog*>(shown) != nullptr;
    shown->close();
    closer.stop();
  });
  closer.start(50);
  CertificateSpreadsheetApp app(drives_);
  Status previewed = Action(app, kLetter, {"CreateCertifcate", "PrintPreview"});
  EXPECT_TRUE(previewed.ok()) << previewed.description();
  EXPECT_TRUE(sawModalPreview);
}

}  // namespace
}  // namespace kv
