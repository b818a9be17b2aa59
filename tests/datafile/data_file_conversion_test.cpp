// SPDX-License-Identifier: GPL-3.0-or-later
// A data file's lines and the three converters: results, evaluation data,
// conditions, byte-exact.
#include <map>
#include <tuple>

#include "datafile/condition_conversion.h"
#include "datafile/data_file_conversion.h"
#include "datafile/data_sections.h"
#include "datafile/evaluation_conversion.h"
#include "datafile/parameter_conversion.h"
#include "import_fixture.h"

namespace kv {
namespace {

using ConversionTest = kvtest::ImportFixture;
using Captions = std::map<int, int>;

TEST(DataLinesTest, LineFeedsEndLinesAndACarriageReturnBeforeOneGoesWithIt) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {""}},
      {"// Ver.1\nRa;1;", {"// Ver.1", "Ra;1;"}},
      {"a\nb\n", {"a", "b", ""}},  // a final line feed leaves an empty last line
      {"a\r\nb\r", {"a", "b"}},    // fetched from the controller without its last byte
      {"a\rb\rc", {"a\rb\rc"}},    // lone carriage returns end no line
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
  EXPECT_EQ(ReadDataFile(files, "C:\\FULL.TXT").value().DataLines.size(), 70001u);
  const std::tuple<const char*, StatusCode, const char*> refused[] = {
      {"C:\\OVER.TXT", StatusCode::kBadFile,
       "\"C:\\OVER.TXT\": The data file has more than 70001 lines; it cannot be read."},
      {"C:\\MISSING.TXT", StatusCode::kFileError,
       "Cannot read \"C:\\MISSING.TXT\": No such file or directory."},
  };
  for (const auto& [path, code, text] : refused) {
    EXPECT_EQ(ReadDataFile(files, path).status().code(), code) << path;
    EXPECT_EQ(ReadDataFile(files, path).status().description(), text);
  }
}

TEST(DataSectionsTest, FirstLineBeginsWithVersionOrHeader) {
  const std::pair<const char*, bool> cases[] = {
      {"// Ver.1.103 KV-730", true}, {"// Ver.", true},     {"// Header", true},
      {"// Header of KV\r", true},   {"// Ver 1.1", false}, {"// ver.1.1", false},
      {" // Ver.1.1", false},        {"// Head", false},    {"", false}};
  for (const auto& [line, accepted] : cases) EXPECT_EQ(IsDataFileFirstLine(line), accepted) << line;
}

TEST_F(ConversionTest, EachResultLineBecomesNameFiveSpacesValueAndUnit) {
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
      // Text after the third field is not read; a comma becomes a point.
      {"Ra;1;\xB5m;old;\nRt;1,5;\xB5m;", "Ra     1um\r\nRt     1.5um\r\n", 1},
      // Rdq and Rda are RDq and RDa; Rdc stays.
      {"Rdq;0.07;;\nWda;0.1;;\nRdc;0.1;\xB5m;", "RDq     0.07\r\nWDa     0.1\r\nRdc     0.1um\r\n",
       1},
      // The first entry with a unit decides, metric first.
      {"Rsk;0.1;;\nRa;3.5;uin;\nRSm;0.1;mm;", "Rsk     0.1\r\nRa     3.5uin\r\nRSm     0.1mm\r\n",
       2},
      {"RPc;7;/in;", "RPc     7/in\r\n", 2},
      {"Rsk;0.1;;\nRmr;50;%;", "Rsk     0.1\r\nRmr     50%\r\n", 1},
      {fiftyOne + "// A CalcData", fiftyOneLines, 1},  // as many as the list holds
  };
  for (const auto& [section, file, unit] : cases) {
    settings.UnitSetting = 0;
    ASSERT_TRUE(DataFileToParameter(Lines("// Ver.1\n// A CalcResult\n" + section), context).ok())
        << section;
    EXPECT_EQ(Staged("Parameter.csv"), file) << section;
    EXPECT_EQ(settings.UnitSetting, unit) << section;
  }
}

TEST_F(ConversionTest, MetricValuesAreCopiedAndInchOnesConverted) {
  // The unit, the lines after the marker, the file; the pitch is the sixth x divided by 5.
  const std::tuple<std::int16_t, std::string, std::string, double> cases[] = {
      {1, "6\nX;Y;\n0;1.50;\n1;-0.25;\n2;1e-3;\n3; 7 ;\n4;+2.;\n5.5;0;\n",
       "1.50\r\n-0.25\r\n1e-3\r\n 7 \r\n+2.\r\n0\r\n", 1.1},
      {2, "6\nX;Y;\n0;25.4;\n1;2.54;\n2;0.0254;\n3;-25.4;\n4;0;\n5.5;1E+1;\n",
       "1000\r\n100\r\n1\r\n-1000\r\n0\r\n393.700787401575\r\n", 1.1},
      // Not inch: as written. No points, yet a pitch. The sixth x beyond the file.
      {0, "3;\nX;Y;\n0;1;\n1;2;\n2;3;\n3;x;\n4;y;\n5.5;z;\n", "1\r\n2\r\n3\r\n", 1.1},
      {1, " 0 \nX;Y;\n0;a;\n1;b;\n2;c;\n3;d;\n4;e;\n5.5;f;\n", "", 1.1},
      {1, "1\nX;Y;\n0;2;\n", "2\r\n", 0},
  };
  for (const auto& [unit, section, file, pitch] : cases) {
    settings.UnitSetting = unit;
    // The marker counts anywhere in its line.
    Result<double> converted = DataFileToEvaluation(Lines(" // A CalcData\n" + section), context);
    ASSERT_TRUE(converted.ok()) << section;
    EXPECT_EQ(Staged("Evaluation.csv"), file) << section;
    EXPECT_EQ(converted.value(), pitch) << section;
  }
}

class ConditionConversionTest : public kvtest::ImportFixture {
 protected:
  Status Convert(const std::string& section, double pitch = 1) {
    return DataFileToCondition(Lines("// Ver.1\n// A Condition\n" + section), context, pitch);
  }
};

const std::string kRest = "Filter;GAUSS;\nStandard;ISO 1997;\nLs;2.5;um;\n";
const std::string kRestLines = "FIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\n";

TEST_F(ConditionConversionTest, EachProfileTakesItsKeys) {
  const std::string reach = std::string(14, '\n') + "Filter;GAUSS;\n";  // at m + 20
  struct Case {
    std::string keys;
    std::string file;
    std::string cutoffShown;  // Text5 4
    Captions captions{};      // Label1 element: language text number
  } cases[] = {
      {"Profile;DF;\nLc;0.25;mm;\nN;5;\n" + kRest, "CUT 0.25mm\r\nN 5\r\nCUV DF\r\n" + kRestLines,
       "0.25mm"},
      {"Profile;W;\nLc;0.8;mm;\nLf;NONE;mm;\nL;4;mm;\n" + kRest,
       "CUT 0.8mm-NONE\r\nL 4mm\r\nCUV W\r\n" + kRestLines, "0.8mm-NONE", Captions{{3, 29}}},
      {"Profile;W;\nLc;2.5;mm;\nLf;0.25;mm;\nN;1;\n" + kRest,
       "CUT 2.5mm-0.25mm\r\nN 1\r\nCUV W\r\n" + kRestLines, "2.5mm-0.25mm"},
      {"Profile;P;\nL;0.8;mm;\nN;5;\n" + kRest, "CUT 0.8mm\r\nN 5\r\nCUV P\r\n" + kRestLines,
       "0.8mm"},
      {"Profile;P;\nL;4;mm;\n" + kRest, "CUT ***\r\nL 4mm\r\nCUV P\r\n" + kRestLines, "***",
       Captions{{3, 29}}},
      {"Profile;R-Motif;\nA;0.10;mm;\nL;3.2;mm;\n" + kRest,
       "A   0.10mm\r\nL 3.2mm\r\nCUV R-Motif\r\n" + kRestLines, "0.10mm",
       Captions{{3, 29}, {4, 30}}},
      {"Profile;W-Motif;\nA;0.3;mm;\nB;1,25;mm;\nL;16;mm;\n" + kRest,
       "AB  0.3mm-1.25mm\r\nL 16mm\r\nCUV W-Motif\r\n" + kRestLines, "0.3mm-1,25mm",
       Captions{{3, 29}, {4, 31}}},
      {"Profile; R-Motif ;\nA;0.02;mm;\nN;2;\n" + kRest,
       "A   0.02mm\r\nN 2\r\nCUV  R-Motif \r\n" + kRestLines, "0.02mm", Captions{{4, 30}}},
      // Keys count only as whole fields: "VDA;" ends in "A;" and "xL;" in "L;";
      // spaces may stand before a key. Lambda-s NONE loses its unit.
      {"Profile;W-Motif;\nStandard;VDA;\nxL;9;\n  A;0.02;mm;\nx; B;0.50;mm;\nLf;NONE;\n"
       "L;0.64;mm;\nFilter;RSP;\nLs;NONE;um;\n",
       "AB  0.02mm-0.50mm\r\nL 0.64mm\r\nCUV W-Motif\r\nFIL RSP\r\nSTD VDA\r\nLS NONE\r\n",
       "0.02mm-0.50mm", Captions{{3, 29}, {4, 31}}},
      // Keys are sought in the marker line and the 20 after it.
      {"Ls;2.5;um;\nStandard;ISO 1997;\nProfile;R;\nLc;0.8;mm;\nN;5;\n" + reach,
       "CUT 0.8mm\r\nN 5\r\nCUV R\r\n" + kRestLines, "0.8mm"},
  };
  for (const auto& c : cases) {
    view.captions.clear();
    ASSERT_TRUE(Convert(c.keys).ok()) << c.keys;
    EXPECT_EQ(Staged("Condition.csv"), c.file + "STP 1\r\nUNT 1\r\nLNG E\r\n") << c.keys;
    EXPECT_EQ(view.conditions[4], c.cutoffShown) << c.keys;
    EXPECT_EQ(view.captions, c.captions) << c.keys;
  }
}

TEST_F(ConditionConversionTest, InchPitchesFollowTheirTableAndBeyondItAreMicroinches) {
  settings.UnitSetting = 2;
  const std::pair<double, std::string> cases[] = {
      {0.05, "STP 2.0"}, {0.06, "STP 4.0"}, {50, "STP 2000.0"}, {100, "STP 3937.00787401575"}};
  for (const auto& [pitch, line] : cases) {
    ASSERT_TRUE(Convert("Profile;R;\nLc;0.03;in;\nN;5;\n" + kRest, pitch).ok());
    EXPECT_EQ(Staged("Condition.csv"),
              "CUT 0.03in\r\nN 5\r\nCUV R\r\n" + kRestLines + line + "\r\nUNT 2\r\nLNG E\r\n")
        << pitch;
  }
}

}  // namespace
}  // namespace kv
