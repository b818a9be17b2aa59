// SPDX-License-Identifier: GPL-3.0-or-later
// A data file's lines and the three converters: results, evaluation data,
// conditions; and one measurement two ways, read over USB from the simulator
// and converted from the data file the controller stores for it.
#include <cstdlib>
#include <sstream>
#include <tuple>

#include "datafile/condition_conversion.h"
#include "datafile/data_file_conversion.h"
#include "datafile/data_sections.h"
#include "datafile/evaluation_conversion.h"
#include "datafile/parameter_conversion.h"
#include "import_fixture.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/number_text.h"
#include "results/parameters_reader.h"
#include "sim/data_file_writer.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using ParameterConversionTest = kvtest::ImportFixture;
using EvaluationConversionTest = kvtest::ImportFixture;
using UsbEquivalenceTest = kvtest::ImportFixture;

TEST(DataLinesTest, LineFeedsEndLinesAndACarriageReturnBeforeOneGoesWithIt) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {""}},
      {"// Ver.1\nRa;1;", {"// Ver.1", "Ra;1;"}},
      {"a\nb\n", {"a", "b", ""}},  // a final line feed leaves an empty last line
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\r\nb\r", {"a", "b"}},  // fetched from the controller without its last byte
      {"a\rb\rc", {"a\rb\rc"}},  // lone carriage returns end no line
      {"a\r\r\nb", {"a\r", "b"}},
      {std::string("x\0\xFF;\n\xB5", 6), {std::string("x\0\xFF;", 4), "\xB5"}},
  };
  for (const auto& [bytes, lines] : cases) {
    Result<DataLineList> list = DataLinesFromBytes(bytes, kControllerFileLines);
    ASSERT_TRUE(list.ok()) << bytes;
    EXPECT_EQ(list.value().DataLines, lines) << bytes;
    EXPECT_EQ(list.value().LineCount, static_cast<std::int32_t>(lines.size()) - 1) << bytes;
  }
}

TEST(DataLinesTest, PcFilesAreReadUpTo70001LinesElseRefusedWithTheReason) {
  kvtest::TempFolder drive;
  FileSystem files{DriveMap(drive.path())};
  kvtest::WriteBytes(drive.path() / "FULL.TXT", std::string(70000, '\n'));
  kvtest::WriteBytes(drive.path() / "OVER.TXT", std::string(70001, '\n'));
  std::filesystem::create_directories(drive.path() / "FOLDER.TXT");
  Result<DataLineList> full = ReadDataFile(files, "C:\\FULL.TXT");
  ASSERT_TRUE(full.ok());
  EXPECT_EQ(full.value().DataLines.size(), 70001u);
  EXPECT_EQ(ReadDataFile(files, "C:\\OVER.TXT").status().description(),
            "\"C:\\OVER.TXT\": The data file has more than 70001 lines; it cannot be read.");
  EXPECT_EQ(ReadDataFile(files, "C:\\MISSING.TXT").status().description(),
            "Cannot open \"C:\\MISSING.TXT\" for reading.");
  EXPECT_EQ(ReadDataFile(files, "C:\\FOLDER.TXT").status().description(),
            "Cannot open \"C:\\FOLDER.TXT\" for reading.");
}

TEST(DataSectionsTest, FirstLineBeginsWithVersionOrHeader) {
  const std::pair<const char*, bool> cases[] = {
      {"// Ver.1.103 KV-730", true}, {"// Ver.", true},     {"// Header", true},
      {"// Header of KV\r", true},   {"// Ver 1.1", false}, {"// ver.1.1", false},
      {" // Ver.1.1", false},        {"// Head", false},    {"", false}};
  for (const auto& [line, accepted] : cases) EXPECT_EQ(IsDataFileFirstLine(line), accepted) << line;
}

TEST_F(ParameterConversionTest, EachResultLineBecomesNameFiveSpacesValueAndUnit) {
  std::string fiftyOne, fiftyOneLines;
  for (int i = 0; i < 51; ++i) {
    fiftyOne += "R;" + std::to_string(i) + ";;\n";
    fiftyOneLines += "R     " + std::to_string(i) + "\r\n";
  }
  // The lines after "// A CalcResult", the file and the unit system they make.
  const std::tuple<std::string, std::string, std::int16_t> cases[] = {
      // The data section ends the result section.
      {"Ra;0.123;\xB5m;\nRsk;-0.1;;\n// A CalcData\n3\n", "Ra     0.123um\r\nRsk     -0.1\r\n", 1},
      // So do an empty line, a line that ends early and the end of the file.
      {"Ra;1;\xB5m;\n\nRq;2;\xB5m;\n", "Ra     1um\r\n", 1},
      {"Ra;0.1;\xB5m\nRq;2;\xB5m;\n", "Ra     0.1um\r\n", 1},
      {"Ra;1;\xB5m;", "Ra     1um\r\n", 1},
      {"", "", 1},
      // Text after the third field is not read; a comma becomes a point.
      {"Ra;1;\xB5m;old;\nRt;1,5;\xB5m;", "Ra     1um\r\nRt     1.5um\r\n", 1},
      // Rdq and Rda are RDq and RDa; Rdc stays.
      {"Rdq;0.07;;\nWda;0.1;;\nRdc;0.1;\xB5m;", "RDq     0.07\r\nWDa     0.1\r\nRdc     0.1um\r\n",
       1},
      // The first entry with a unit decides, metric first.
      {"Rsk;0.1;;\nRa;3.5;uin;\nRSm;0.1;mm;", "Rsk     0.1\r\nRa     3.5uin\r\nRSm     0.1mm\r\n",
       2},
      {"Ra;1;\xB5m;\nRSm;0.01;in;", "Ra     1um\r\nRSm     0.01in\r\n", 1},
      {"RPc;7;/in;", "RPc     7/in\r\n", 2},
      {"Rsk;0.1;;\nRmr;50;%;", "Rsk     0.1\r\nRmr     50%\r\n", 1},
      {fiftyOne + "// A CalcData", fiftyOneLines, 1},  // as many as the list holds
  };
  for (const auto& [section, file, unit] : cases) {
    stage.Clear();
    settings.UnitSetting = 0;
    ASSERT_EQ(DataFileToParameter(Lines("// Ver.1\n// A CalcResult\n" + section), context), 1)
        << section;
    EXPECT_EQ(Staged("Parameter.csv"), file) << section;
    EXPECT_EQ(settings.UnitSetting, unit) << section;
  }
}

TEST_F(EvaluationConversionTest, MetricValuesAreCopiedAndInchOnesConverted) {
  struct Case {
    std::int16_t unit;
    std::string section;  // after the marker
    std::string file;
    double pitch = 5.5 / 5;  // the sixth x, divided by 5
  } cases[] = {
      {1, "6\nX;Y;\n0;1.50;\n1;-0.25;\n2;1e-3;\n3; 7 ;\n4;+2.;\n5.5;0;\n",
       "1.50\r\n-0.25\r\n1e-3\r\n 7 \r\n+2.\r\n0\r\n"},
      {2, "6\nX;Y;\n0;25.4;\n1;2.54;\n2;0.0254;\n3;-25.4;\n4;0;\n5.5;1E+1;\n",
       "1000\r\n100\r\n1\r\n-1000\r\n0\r\n393.700787401575\r\n"},
      // Not inch: as written. No points, yet a pitch. The sixth x beyond the file.
      {0, "3;\nX;Y;\n0;1;\n1;2;\n2;3;\n3;x;\n4;y;\n5.5;z;\n", "1\r\n2\r\n3\r\n"},
      {1, " 0 \nX;Y;\n0;a;\n1;b;\n2;c;\n3;d;\n4;e;\n5.5;f;\n", ""},
      {1, "1\nX;Y;\n0;2;\n", "2\r\n", 0},
  };
  for (const auto& c : cases) {
    settings.UnitSetting = c.unit;
    double pitch = -1;
    // The marker counts anywhere in its line.
    ASSERT_EQ(DataFileToEvaluation(Lines(" // A CalcData\n" + c.section), context, pitch), 1)
        << c.section;
    EXPECT_EQ(Staged("Evaluation.csv"), c.file) << c.section;
    EXPECT_EQ(pitch, c.pitch) << c.section;
  }
}

class ConditionConversionTest : public kvtest::ImportFixture {
 protected:
  int Convert(const std::string& section, double pitch = 1) {
    stage.Clear();
    return DataFileToCondition(Lines("// Ver.1\n// A Condition\n" + section), context, pitch);
  }
};

const std::string kRest = "Filter;GAUSS;\nStandard;ISO 1997;\nLs;2.5;um;\n";
const std::string kRestLines =
    "FIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\nSTP 1\r\nUNT 1\r\nLNG E\r\n";

TEST_F(ConditionConversionTest, EachProfileTakesItsKeys) {
  struct Case {
    std::string keys;  // before kRest
    std::string firstLines;
    std::string cutoffShown;     // Text5 4
    int label3 = 0, label4 = 0;  // the language texts the captions show, 0 none
  } cases[] = {
      {"Profile;DF;\nLc;0.25;mm;\nN;5;\n", "CUT 0.25mm\r\nN 5\r\nCUV DF\r\n", "0.25mm"},
      {"Profile;W;\nLc;0.8;mm;\nLf;NONE;mm;\nL;4;mm;\n", "CUT 0.8mm-NONE\r\nL 4mm\r\nCUV W\r\n",
       "0.8mm-NONE", 29},  // NONE loses its unit
      {"Profile;W;\nLc;2.5;mm;\nLf;0.25;mm;\nN;1;\n", "CUT 2.5mm-0.25mm\r\nN 1\r\nCUV W\r\n",
       "2.5mm-0.25mm"},
      {"Profile;P;\nL;0.8;mm;\nN;5;\n", "CUT 0.8mm\r\nN 5\r\nCUV P\r\n", "0.8mm"},
      {"Profile;P;\nL;4;mm;\n", "CUT ***\r\nL 4mm\r\nCUV P\r\n", "***", 29},
      {"Profile;R-Motif;\nA;0.10;mm;\nL;3.2;mm;\n", "A   0.10mm\r\nL 3.2mm\r\nCUV R-Motif\r\n",
       "0.10mm", 29, 30},
      {"Profile;W-Motif;\nA;0.3;mm;\nB;1,25;mm;\nL;16;mm;\n",
       "AB  0.3mm-1.25mm\r\nL 16mm\r\nCUV W-Motif\r\n", "0.3mm-1,25mm", 29, 31},
      {"Profile; R-Motif ;\nA;0.02;mm;\nN;2;\n", "A   0.02mm\r\nN 2\r\nCUV  R-Motif \r\n", "0.02mm",
       0, 30},
  };
  for (const auto& c : cases) {
    view.captions.clear();
    ASSERT_EQ(Convert(c.keys + kRest), 1) << c.keys;
    EXPECT_EQ(Staged("Condition.csv"), c.firstLines + kRestLines) << c.keys;
    EXPECT_EQ(view.conditions[4], c.cutoffShown) << c.keys;
    std::map<int, int> captions;
    if (c.label3) captions[3] = c.label3;
    if (c.label4) captions[4] = c.label4;
    EXPECT_EQ(view.captions, captions) << c.keys;
  }
}

TEST_F(ConditionConversionTest, InchPitchesFollowTheirTableAndBeyondItAreMicroinches) {
  settings.UnitSetting = 2;
  const std::pair<double, std::string> cases[] = {
      {0.05, "STP 2.0"}, {0.06, "STP 4.0"}, {50, "STP 2000.0"}, {100, "STP 3937.00787401575"}};
  for (const auto& [pitch, line] : cases) {
    ASSERT_EQ(Convert("Profile;R;\nLc;0.03;in;\nN;5;\n" + kRest, pitch), 1);
    EXPECT_EQ(Staged("Condition.csv"),
              "CUT 0.03in\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\n" + line +
                  "\r\nUNT 2\r\nLNG E\r\n")
        << pitch;
  }
}

TEST_F(ConditionConversionTest, KeysCountOnlyAsWholeFieldsAndLambdaSNoneLosesItsUnit) {
  // "VDA;" ends in "A;" and "xL;" in "L;"; spaces may stand before a key.
  ASSERT_EQ(Convert("Profile;W-Motif;\nStandard;VDA;\nxL;9;\n  A;0.02;mm;\nx; B;0.50;mm;\n"
                    "Lf;NONE;\nL;0.64;mm;\nFilter;RSP;\nLs;NONE;um;\n"),
            1);
  EXPECT_EQ(Staged("Condition.csv"),
            "AB  0.02mm-0.50mm\r\nL 0.64mm\r\nCUV W-Motif\r\nFIL RSP\r\nSTD VDA\r\nLS NONE\r\n"
            "STP 1\r\nUNT 1\r\nLNG E\r\n");
}

TEST_F(ConditionConversionTest, KeysAreSoughtInTheMarkerLineAndTheTwentyAfterIt) {
  const std::string keys =
      "Profile;R;\nLc;0.8;mm;\nN;5;\n" + std::string(14, '\n') + "Filter;GAUSS;\n";
  EXPECT_EQ(Convert("Ls;2.5;um;\nStandard;ISO 1997;\n" + keys), 1);    // Filter at m + 20
  EXPECT_EQ(Convert("Ls;2.5;um;\nStandard;ISO 1997;\n\n" + keys), 0);  // at m + 21
}

// The lines of a result file, without their CR LF.
std::vector<std::string> CsvLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
  return lines;
}

// The controller path pads the name to seven characters and keeps the space
// between value and unit; the data file gives the name five spaces and none.
std::string AsFromDataFile(const std::string& usbLine) {
  const std::size_t space = usbLine.find(' ');
  std::string rest = usbLine.substr(usbLine.find_first_not_of(' ', space));
  if (std::size_t unit = rest.find(' '); unit != std::string::npos) rest.erase(unit, 1);
  return usbLine.substr(0, space) + "     " + rest;
}

// Where the controller's "Condition.csv" differs: "LS" is followed by two
// spaces, the metric pitch reads "STP 1.00", the metric length " .32mm" and
// the language line of inch files is always "LNG E".
TEST_F(UsbEquivalenceTest, FilesDifferOnlyWhereTheDataFileWritesItsOwnTexts) {
  struct Case {
    bool inch;
    std::int16_t set;
    std::int16_t language;
    std::string conditions;  // the data file's
  } cases[] = {
      {false, 0, 1,
       "CUT 0.08mm\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\nSTP 1\r\nUNT 1\r\n"
       "LNG E\r\n"},
      {false, 1, 0,
       "CUT 0.08mm-NONE\r\nL 0.32mm\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\nSTP 1\r\n"
       "UNT 1\r\nLNG J\r\n"},
      {true, 1, 0,
       "CUT 0.003in-NONE\r\nL 0.013in\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 100uin\r\n"
       "STP 40.0\r\nUNT 2\r\nLNG J\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.inch ? "inch" : "metric") + " set " + "AB"[c.set]);
    kvsim::Config config;
    config.points = 401;
    config.cutoffCode = 1;
    config.unit = c.inch ? 1 : 0;
    kvtest::SimOverSocket sim(config);
    // Into the working folder, with the read-all's readers of firmware 1103 in its order.
    Link link(*sim.transport);
    ASSERT_EQ(link.Open(), 0);
    settings.VersionNumber = 1103;
    settings.UnitSetting = c.inch ? 1 : 0;  // as the controller reports it
    settings.EvaluationSelection = c.set;
    settings.LanguageIndex = c.language;
    kvtest::RecordingView usbView;
    std::int32_t blocks = 0;
    ReaderContext reader{link, settings, files, usbView, blocks};
    ASSERT_TRUE(ReadParameters(reader).ok());
    ASSERT_TRUE((c.inch ? ReadConditionsInch(reader) : ReadConditionsMetric(reader)).ok());
    ASSERT_TRUE(ReadEvaluationData(reader).ok());
    auto usbFile = [&](const char* name) { return kvtest::ReadBytes(Work(name)); };

    stage.Clear();
    view = kvtest::RecordingView();
    const std::string bytes = kvsim::DataFileBytes(sim.controller.measurement(), {.inch = c.inch});
    ASSERT_EQ(ConvertDataFile(Lines(bytes), context), kDataFileConverted);

    std::vector<std::string> usbParameters = CsvLines(usbFile("Parameter.csv"));
    ASSERT_GT(usbParameters.size(), 10u);
    for (auto& line : usbParameters) line = AsFromDataFile(line);
    EXPECT_EQ(CsvLines(Staged("Parameter.csv")), usbParameters);
    EXPECT_EQ(view.parameters, Staged("Parameter.csv") + "\r\n");
    if (c.inch) {
      EXPECT_EQ(Staged("Evaluation.csv"), usbFile("Evaluation.csv"));
    } else {  // the value texts as the file writes them, the same values
      std::vector<std::string> values = CsvLines(Staged("Evaluation.csv"));
      ASSERT_EQ(values.size(), 321u);
      for (auto& value : values) value = GeneralNumberText(std::strtod(value.c_str(), nullptr));
      EXPECT_EQ(values, CsvLines(usbFile("Evaluation.csv")));
    }
    EXPECT_EQ(Staged("Condition.csv"), c.conditions);
    // Text5 3 shows the length as the file writes it, the rest as over USB.
    EXPECT_EQ(view.conditions[3], CsvLines(c.conditions)[1].substr(2));
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(view.conditions[i], usbView.conditions[i]) << i;
    EXPECT_EQ(view.captions, usbView.captions);
  }
}

}  // namespace
}  // namespace kv
