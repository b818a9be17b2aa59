// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile/condition_conversion.h"

#include "import_fixture.h"

namespace kv {
namespace {

class ConditionConversionTest : public kvtest::ImportFixture {
 protected:
  ConditionConversionTest() { settings.UnitSetting = 1; }

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
    std::string cutoffShown;
    std::map<int, int> captions;
  } cases[] = {
      {"Profile;R;\nLc;0.8;mm;\nN;5;\n", "CUT 0.8mm\r\nN 5\r\nCUV R\r\n", "0.8mm", {}},
      {"Profile;DF;\nLc;0.25;mm;\nN;5;\n", "CUT 0.25mm\r\nN 5\r\nCUV DF\r\n", "0.25mm", {}},
      {"Profile;W;\nLc;0.8;mm;\nLf;NONE;mm;\nL;4;mm;\n",
       "CUT 0.8mm-NONE\r\nL 4mm\r\nCUV W\r\n",
       "0.8mm-NONE",
       {{3, 29}}},
      {"Profile;W;\nLc;2.5;mm;\nLf;0.25;mm;\nN;1;\n",
       "CUT 2.5mm-0.25mm\r\nN 1\r\nCUV W\r\n",
       "2.5mm-0.25mm",
       {}},
      {"Profile;P;\nL;0.8;mm;\nN;5;\n", "CUT 0.8mm\r\nN 5\r\nCUV P\r\n", "0.8mm", {}},
      {"Profile;P;\nL;4;mm;\n", "CUT ***\r\nL 4mm\r\nCUV P\r\n", "***", {{3, 29}}},
      {"Profile;R-Motif;\nA;0.10;mm;\nL;3.2;mm;\n",
       "A   0.10mm\r\nL 3.2mm\r\nCUV R-Motif\r\n",
       "0.10mm",
       {{3, 29}, {4, 30}}},
      {"Profile;W-Motif;\nA;0.3;mm;\nB;1,25;mm;\nL;16;mm;\n",
       "AB  0.3mm-1.25mm\r\nL 16mm\r\nCUV W-Motif\r\n",
       "0.3mm-1,25mm",
       {{3, 29}, {4, 31}}},
      {"Profile; R-Motif ;\nA;0.02;mm;\nN;2;\n",
       "A   0.02mm\r\nN 2\r\nCUV  R-Motif \r\n",
       "0.02mm",
       {{4, 30}}},
  };
  for (const auto& c : cases) {
    view.captions.clear();
    ASSERT_EQ(Convert(c.keys + kRest), 1) << c.keys;
    EXPECT_EQ(Staged("Condition.csv"), c.firstLines + kRestLines) << c.keys;
    EXPECT_EQ(view.conditions[4], c.cutoffShown) << c.keys;
    EXPECT_EQ(view.captions, c.captions) << c.keys;
  }
}

TEST_F(ConditionConversionTest, Text5ShowsStandardProfileFilterCountAndCutoff) {
  settings.LanguageIndex = 0;
  ASSERT_EQ(
      Convert("Profile;R;\nLc;0.8;mm;\nN;5;\nFilter;GAUSS;\nStandard;JIS 2001;\nLs;2.5;um;\n", 0.5),
      1);
  EXPECT_EQ(Staged("Condition.csv"),
            "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD JIS 2001\r\nLS 2.5um\r\nSTP 0.5\r\n"
            "UNT 1\r\nLNG J\r\n");
  EXPECT_EQ(view.conditions, (std::array<std::string, 5>{"JIS 2001", "R", "GAUSS", "5", "0.8mm"}));
}

TEST_F(ConditionConversionTest, LambdaSNoneDropsItsUnit) {
  ASSERT_EQ(Convert("Profile;R;\nLc;0.8;mm;\nN;5;\nFilter;2CR;\nStandard;ANSI;\nLs;NONE;um;\n"), 1);
  EXPECT_EQ(Staged("Condition.csv"),
            "CUT 0.8mm\r\nN 5\r\nCUV R\r\nFIL 2CR\r\nSTD ANSI\r\nLS NONE\r\nSTP 1\r\nUNT 1\r\n"
            "LNG E\r\n");
}

TEST_F(ConditionConversionTest, PitchUnitAndLanguageLinesFollowTheSettings) {
  struct Case {
    std::int16_t unit;
    std::int16_t language;
    double pitch;
    std::string lastLines;
  } cases[] = {
      {1, 1, 0.05, "STP 0.05\r\nUNT 1\r\nLNG E\r\n"},
      {1, 0, 10, "STP 10\r\nUNT 1\r\nLNG J\r\n"},
      {2, 0, 0.05, "STP 2.0\r\nUNT 2\r\nLNG J\r\n"},
      {2, 1, 0.06, "STP 4.0\r\nUNT 2\r\nLNG E\r\n"},
      {2, 1, 1, "STP 40.0\r\nUNT 2\r\nLNG E\r\n"},
      {2, 1, 50, "STP 2000.0\r\nUNT 2\r\nLNG E\r\n"},
      // Beyond the table: the pitch in microinches rather than no line at all.
      {2, 1, 100, "STP 3937.00787401575\r\nUNT 2\r\nLNG E\r\n"},
  };
  for (const auto& c : cases) {
    settings.UnitSetting = c.unit;
    settings.LanguageIndex = c.language;
    ASSERT_EQ(Convert("Profile;R;\nLc;0.03;in;\nN;5;\n" + kRest, c.pitch), 1);
    EXPECT_EQ(
        Staged("Condition.csv"),
        "CUT 0.03in\r\nN 5\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\n" + c.lastLines)
        << c.pitch;
  }
}

TEST_F(ConditionConversionTest, KeysCountOnlyAsWholeFields) {
  // "VDA;" ends in "A;" and "xL;" in "L;"; spaces may stand before a key.
  ASSERT_EQ(Convert("Profile;W-Motif;\nStandard;VDA;\nxL;9;\n  A;0.02;mm;\nx; B;0.50;mm;\n"
                    "Lf;NONE;\nL;0.64;mm;\nFilter;RSP;\nLs;8.0;um;\n"),
            1);
  EXPECT_EQ(Staged("Condition.csv"),
            "AB  0.02mm-0.50mm\r\nL 0.64mm\r\nCUV W-Motif\r\nFIL RSP\r\nSTD VDA\r\nLS 8.0um\r\n"
            "STP 1\r\nUNT 1\r\nLNG E\r\n");
}

TEST_F(ConditionConversionTest, KeysAreSoughtInTheMarkerLineAndTheTwentyAfterIt) {
  std::string filler;
  for (int i = 0; i < 14; ++i) filler += "comment\n";
  const std::string keys = "Profile;R;\nLc;0.8;mm;\nN;5;\n" + filler + "Filter;GAUSS;\n";
  EXPECT_EQ(Convert("Ls;2.5;um;\nStandard;ISO 1997;\n" + keys), 1);           // Filter at m + 20
  EXPECT_EQ(Convert("Ls;2.5;um;\nStandard;ISO 1997;\ncomment\n" + keys), 0);  // at m + 21
}

TEST_F(ConditionConversionTest, AMissingKeyOrProfileRefusesTheFileAndShowsNothing) {
  struct Case {
    std::string section;
  } cases[] = {
      {"Lc;0.8;mm;\nN;5;\n" + kRest},                                  // no profile
      {"Profile;R;\nN;5;\n" + kRest},                                  // no cut-off
      {"Profile;DF;\nN;5;\n" + kRest},                                 //
      {"Profile;W;\nLc;0.8;mm;\nN;5;\n" + kRest},                      // no lambda-f
      {"Profile;P;\nN;5;\n" + kRest},                                  // no sampling length
      {"Profile;R-Motif;\nN;5;\n" + kRest},                            // no limit A
      {"Profile;W-Motif;\nA;0.1;mm;\nN;5;\n" + kRest},                 // no limit B
      {"Profile;R;\nLc;0.8;mm;\n" + kRest},                            // neither count nor length
      {"Profile;R;\nLc;0.8;mm;\nN;5;\nStandard;ANSI;\nLs;2.5;um;\n"},  // no filter
      {"Profile;R;\nLc;0.8;mm;\nN;5;\nFilter;GAUSS;\nLs;2.5;um;\n"},   // no standard
      {"Profile;R;\nLc;0.8;mm;\nN;5;\nFilter;GAUSS;\nStandard;ANSI;\n"},  // no lambda-s
      // A profile the conversion does not know, or one with spaces where
      // they are not trimmed, would leave the cut-off line empty.
      {"Profile;Q;\nLc;0.8;mm;\nN;5;\n" + kRest},
      {"Profile; R;\nLc;0.8;mm;\nN;5;\n" + kRest},
      {"Profile;;\nLc;0.8;mm;\nN;5;\n" + kRest},
  };
  for (const auto& c : cases) {
    view.conditions = {"untouched"};
    EXPECT_EQ(Convert(c.section), 0) << c.section;
    EXPECT_EQ(Staged("Condition.csv"), "(not staged)") << c.section;
    EXPECT_EQ(view.conditions[0], "untouched") << c.section;
    EXPECT_TRUE(view.captions.empty()) << c.section;
  }
  stage.Clear();
  double pitch = 1;
  EXPECT_EQ(DataFileToCondition(Lines("// B Condition\nProfile;R;\nLc;0.8;mm;\nN;5;\n" + kRest),
                                context, pitch),
            0);
}

}  // namespace
}  // namespace kv
