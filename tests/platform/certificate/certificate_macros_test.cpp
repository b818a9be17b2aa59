// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <initializer_list>

#include "pdf_text.h"
#include "platform/certificate/certificate_spreadsheet.h"
#include "temp_folder.h"
#include "working_folder.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kWorkFolder = "C:\\Tarnwick Corvanet\\KV-730\\";
constexpr const char* kA4 = "KV_Certificate.xls";
constexpr const char* kLetter = "KV_Certificate_Letter.xls";

class CertificateMacrosTest : public ::testing::Test {
 protected:
  CertificateMacrosTest()
      : drives_(temp_.path()), work_(temp_.path() / "Tarnwick Corvanet" / "KV-730") {}

  // One certificate action: open the template, run the macros in turn, quit.
  // Stops at the first failing macro, as the actions do.
  Status Action(SpreadsheetApp& app, const char* book, std::initializer_list<const char*> macros) {
    app.SetVisible(true);
    app.SetDisplayAlerts(false);
    auto opened = app.Open(std::string(kWorkFolder) + book);
    if (!opened.ok()) return opened.status();
    for (const char* macro : macros) {
      if (Status ran = app.Run(macro); !ran.ok()) return ran;
    }
    app.Quit();
    return Status::Ok();
  }

  std::vector<fs::path> Pdfs() const {
    std::vector<fs::path> pdfs;
    for (const auto& entry : fs::directory_iterator(work_)) {
      if (entry.path().extension() == ".pdf") pdfs.push_back(entry.path());
    }
    return pdfs;
  }

  std::string ExportedText(const char* book = kA4) {
    CertificateSpreadsheetApp app(drives_);
    Status exported = Action(app, book, {"CreateCertifcate", "SheetExport"});
    EXPECT_TRUE(exported.ok()) << exported.description();
    auto pdfs = Pdfs();
    if (pdfs.empty()) return {};
    std::string text = kvtest::PdfText(pdfs.back());
    for (const auto& pdf : pdfs) fs::remove(pdf);
    return text;
  }

  kvtest::TempFolder temp_;
  DriveMap drives_;
  fs::path work_;
};

TEST_F(CertificateMacrosTest, ExportWritesThePdfWithItsTextAndPaper) {
  struct Case {
    const char* book;
    kvtest::Measurement measurement;
    QSizeF points;  // paper in PDF points
    std::vector<std::string> texts;
  } const cases[] = {
      {kA4,
       {.inch = false, .japanese = true},
       {595.3, 841.9},
       {"測定成績書",      "ワーク名",       "測定機器",  "測定者",   "コメント", "サンプル",
        "Corvanet KV-730", "Tarnwick",       "Ver3.00",   "0.235 um", "1.842 um", "RSm",
        "JIS 2001",        "GAUSS",          "0.8mm",     "2.5um",    "0.50 µm",  "メートル系",
        "評価曲線",        "負荷曲線 (BAC)", "位置 [mm]", "高さ [µm]"}},
      {kLetter,
       {.inch = true, .japanese = false, .layout = "2"},
       {612, 792},
       {"Measurement certificate", "Work Name", "Shaft 12-A", "J. Smith", "Lot 4711", "9.25 uin",
        "RDq", "0.0612", "ANSI", "0.03in", "100uin", "20.0 µin", "Inch", "Position [in]",
        "Height [µin]", "Evaluation profile"}},
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
      std::string text = kvtest::PdfText(pdf);
      for (const auto& expected : c.texts) EXPECT_THAT(text, HasSubstr(expected));
      QSizeF size = kvtest::PdfPageSize(pdf);
      EXPECT_NEAR(size.width(), c.points.width(), 1);
      EXPECT_NEAR(size.height(), c.points.height(), 1);
      fs::remove(pdf);
    }
    // Nothing but the PDFs was left behind: no temporary files.
    std::size_t files = std::distance(fs::directory_iterator(work_), fs::directory_iterator());
    EXPECT_EQ(files, 9u);
  }
}

TEST_F(CertificateMacrosTest, BesideLayoutShowsTheCurvesAndOthersDoNot) {
  for (const char* layout : {"0", "1", "2"}) {
    kvtest::WriteWorkingFolder(work_, {.japanese = false, .points = 2000, .layout = layout});
    std::string text = ExportedText();
    bool beside = std::string(layout) == "1";
    EXPECT_EQ(text.find("(BAC)") != std::string::npos, beside) << layout;
    EXPECT_EQ(text.find("(ADC)") != std::string::npos, beside) << layout;
    EXPECT_EQ(text.find("Bearing ratio [%]") != std::string::npos, beside) << layout;
    EXPECT_THAT(text, HasSubstr("Evaluation profile"));
  }
}

TEST_F(CertificateMacrosTest, ChangeLanguageFlipsTheWordingAndKeepsIt) {
  kvtest::WriteWorkingFolder(work_, {.japanese = true, .points = 1000});
  EXPECT_THAT(ExportedText(), HasSubstr("測定成績書"));
  for (const char* expected :
       {"Measurement certificate", "測定成績書", "Measurement certificate"}) {
    {
      CertificateSpreadsheetApp app(drives_);
      Status changed = Action(app, kLetter, {"ChangeLanguage"});
      ASSERT_TRUE(changed.ok()) << changed.description();
    }
    // A new application object, as after a restart of the program.
    std::string text = ExportedText(kA4);
    EXPECT_THAT(text, HasSubstr(expected));
    EXPECT_THAT(text,
                Not(HasSubstr(std::string(expected) == "測定成績書" ? "Measurement certificate"
                                                                    : "測定成績書")));
  }
  EXPECT_EQ(kvtest::ReadBytes(work_ / "Certificate.INI"), "E\r\n");
}

TEST_F(CertificateMacrosTest, OutputsNeedACertificateOfTheSameOpening) {
  kvtest::WriteWorkingFolder(work_, {.points = 1000});
  for (const char* macro : {"AutoPrint", "PrintPreview", "SheetExport"}) {
    CertificateSpreadsheetApp app(drives_);
    Status early = Action(app, kA4, {macro});
    EXPECT_THAT(early.description(), HasSubstr("certificate has not been created")) << macro;
    // Made in an earlier action: a new Open starts without it.
    ASSERT_TRUE(Action(app, kA4, {"CreateCertifcate"}).ok());
    Status later = Action(app, kA4, {macro});
    EXPECT_THAT(later.description(), HasSubstr("certificate has not been created")) << macro;
  }
  // The table works in the plain stand-in too; a failed creation drops the older certificate.
  XlsSpreadsheetApp plain(drives_, CertificateMacros(std::make_shared<CertificateState>()));
  ASSERT_TRUE(plain.Open(std::string(kWorkFolder) + kA4).ok());
  ASSERT_TRUE(plain.Run("CreateCertifcate").ok());
  fs::remove(work_ / "Graph_ADC.Csv");
  EXPECT_FALSE(plain.Run("CreateCertifcate").ok());
  EXPECT_THAT(plain.Run("SheetExport").description(), HasSubstr("has not been created"));
  EXPECT_TRUE(Pdfs().empty());
}

TEST_F(CertificateMacrosTest, MissingOrDamagedFilesAreNamed) {
  struct Case {
    const char* file;
    const char* content;  // nullptr: the file is removed
    const char* message;
  } const cases[] = {
      {"Parameter.csv", nullptr, "\"Parameter.csv\" is missing from the working folder"},
      {"Condition.csv", nullptr, "\"Condition.csv\" is missing"},
      {"Evaluation.csv", nullptr, "\"Evaluation.csv\" is missing"},
      {"Graph_BAC.Csv", nullptr, "\"Graph_BAC.Csv\" is missing"},
      {"Graph_ADC.Csv", nullptr, "\"Graph_ADC.Csv\" is missing"},
      {"Comment.INI", nullptr, "\"Comment.INI\" is missing"},
      {"Autoprint.INI", nullptr, "\"AutoPrint.INI\" is missing"},
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
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + ": " + c.message);
    kvtest::WriteWorkingFolder(work_, {.points = 100});
    if (c.content) {
      kvtest::WriteBytes(work_ / c.file, c.content);
    } else {
      fs::remove(work_ / c.file);
    }
    CertificateSpreadsheetApp app(drives_);
    Status made = Action(app, kA4, {"CreateCertifcate", "SheetExport"});
    EXPECT_THAT(made.description(), HasSubstr(c.message));
    EXPECT_TRUE(Pdfs().empty());
  }
}

TEST_F(CertificateMacrosTest, TemplateWithoutWordingIsRefused) {
  kvtest::WriteWorkingFolder(work_, {.points = 100});
  fs::copy_file(KV_TEST_BOOK, work_ / kA4, fs::copy_options::overwrite_existing);
  CertificateSpreadsheetApp app(drives_);
  EXPECT_THAT(Action(app, kA4, {"CreateCertifcate"}).description(),
              HasSubstr("has no sheet \"Certificate\""));
}

TEST_F(CertificateMacrosTest, ExportIntoAVanishedFolderNamesIt) {
  kvtest::WriteWorkingFolder(work_, {.points = 100});
  CertificateSpreadsheetApp app(drives_);
  ASSERT_TRUE(app.Open(std::string(kWorkFolder) + kA4).ok());
  ASSERT_TRUE(app.Run("CreateCertifcate").ok());
  fs::remove_all(work_);
  Status exported = app.Run("SheetExport");
  EXPECT_THAT(exported.description(),
              HasSubstr("Cannot write the certificate PDF into the folder \"" + work_.string()));
}

TEST_F(CertificateMacrosTest, PrintWithoutPrinterSaysSo) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
  kvtest::WriteWorkingFolder(work_, {.points = 100});
  CertificateSpreadsheetApp app(drives_);
  EXPECT_THAT(Action(app, kA4, {"CreateCertifcate", "AutoPrint"}).description(),
              HasSubstr("No printer is available"));
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
