// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the result files the check takes, and the table it makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/measured_profile.h"
#include "analysis/measuring_conditions.h"
#include "analysis/parameter_check.h"
#include "analysis/parameter_check_text.h"

namespace {

struct ConditionsCase {
  std::vector<std::string> lines;
  bool accepted;
  kv::MeasuringConditions expected;
};

class Conditions : public ::testing::TestWithParam<ConditionsCase> {};

TEST_P(Conditions, AreReadInMicrometres) {
  const auto& c = GetParam();
  const auto parsed = kv::ParseConditions(c.lines);
  ASSERT_EQ(parsed.ok(), c.accepted) << (c.lines.empty() ? "" : c.lines[0]);
  if (!c.accepted) return;
  EXPECT_DOUBLE_EQ(parsed.value().cutoff, c.expected.cutoff);
  EXPECT_EQ(parsed.value().samplingLengths, c.expected.samplingLengths);
  EXPECT_DOUBLE_EQ(parsed.value().pitch, c.expected.pitch);
}

INSTANTIATE_TEST_SUITE_P(
    ConditionFiles, Conditions,
    ::testing::Values(
        ConditionsCase{{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD ISO 1997", "LS  2.5um",
                        "STP 1.00", "UNT 1", "LNG E"},
                       true,
                       {800, 5, 1}},
        // Inch texts are rounded: 0.03in is the 0.8 mm cut-off, 20.0 the 0.5 um pitch.
        ConditionsCase{{"CUT 0.03in", "N 3", "CUV R", "FIL GAUSS", "STD ISO 1997", "LS  100uin",
                        "STP 20.0", "UNT 2", "LNG E"},
                       true,
                       {800, 3, 0.5}},
        // An evaluation length instead of a count; the metric text drops the 0.
        ConditionsCase{{"CUT 0.25mm", "L   1.25mm", "CUV R", "FIL GAUSS", "STP 0.10", "UNT 1"},
                       true,
                       {250, 5, 0.1}},
        ConditionsCase{{"CUT 0.08mm", "L   .4mm", "CUV R", "FIL GAUSS", "STP 0.05", "UNT 1"},
                       true,
                       {80, 5, 0.05}},
        // A data-file import writes the pitch as a plain number.
        ConditionsCase{{"CUT 2.5mm", "N 5", "CUV R", "FIL GAUSS", "LS 8.0um", "STP 0.5", "UNT 1"},
                       true,
                       {2500, 5, 0.5}},
        ConditionsCase{{"CUT 0.8mm", "N 5", "CUV W", "FIL GAUSS", "STP 1.00"}, false, {}},
        ConditionsCase{{"CUT 0.8mm", "N 5", "CUV R", "FIL 2CR", "STP 1.00"}, false, {}},
        ConditionsCase{{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS"}, false, {}},
        ConditionsCase{{"CUT 0.8mm", "L   1.1mm", "CUV R", "FIL GAUSS", "STP 1.00"}, false, {}},
        ConditionsCase{{}, false, {}}));

TEST(ReportedParameters, TakeNameValueDecimalsAndUnit) {
  const auto parameters =
      kv::ParseReportedParameters({"Ra     0.8319 um", "Rsk    -0.269", "Rmr    7.10 %",
                                   "Rq     1.0279um", "RPc    88.4 /cm", "Rmax   *", "nothing"});
  ASSERT_EQ(parameters.size(), 5U);
  EXPECT_EQ(parameters[0].name, "Ra");
  EXPECT_DOUBLE_EQ(parameters[0].value, 0.8319);
  EXPECT_EQ(parameters[0].decimals, 4);
  EXPECT_EQ(parameters[0].unit, "um");
  EXPECT_DOUBLE_EQ(parameters[1].value, -0.269);
  EXPECT_EQ(parameters[1].unit, "");
  EXPECT_EQ(parameters[2].decimals, 2);
  EXPECT_EQ(parameters[2].unit, "%");
  EXPECT_EQ(parameters[3].unit, "um");  // a data-file import writes no space
  EXPECT_EQ(parameters[4].unit, "/cm");
}

TEST(MeasuredProfile, ReadsGeneralNumberTextAndRefusesOtherLines) {
  const auto values = kv::ParseMeasuredProfile("1.25\r\n-1.2E-05\r\n3\r\n");
  ASSERT_TRUE(values.ok());
  EXPECT_EQ(values.value(), (std::vector<double>{1.25, -1.2e-05, 3}));
  EXPECT_FALSE(kv::ParseMeasuredProfile("1.25\r\nabc\r\n").ok());
}

struct ComparisonCase {
  const char* line;
  double computed;  // micrometres, or as the check computes it
  bool disagrees;
  double shown;  // the computed value in the controller's unit
};

class Comparison : public ::testing::TestWithParam<ComparisonCase> {};

// Display rounding: half a unit of the controller's last digit, and half a
// unit of the computed value's (shown with one digit more).
TEST_P(Comparison, FlagsDifferencesBeyondDisplayRounding) {
  const auto& c = GetParam();
  kv::RoughnessParameters computed;
  computed.ra = computed.rsm = computed.rsk = computed.rmr = c.computed;
  const auto check = kv::CompareParameters(kv::ParseReportedParameters({c.line}), computed);
  ASSERT_TRUE(check.ok());
  ASSERT_EQ(check.value().rows.size(), 1U);
  EXPECT_EQ(check.value().rows[0].disagrees, c.disagrees) << c.line << " " << c.computed;
  EXPECT_NEAR(check.value().rows[0].computed, c.shown, 1e-12);
  EXPECT_EQ(check.value().AllAgree(), !c.disagrees);
}

INSTANTIATE_TEST_SUITE_P(
    Tolerances, Comparison,
    ::testing::Values(ComparisonCase{"Ra     0.8319 um", 0.831954, false, 0.831954},
                      ComparisonCase{"Ra     0.8319 um", 0.831956, true, 0.831956},
                      ComparisonCase{"Ra     0.8319 um", 0.831846, false, 0.831846},
                      ComparisonCase{"Ra     0.8319 um", 0.831844, true, 0.831844},
                      ComparisonCase{"Rsk    -0.269", -0.26945, false, -0.26945},
                      ComparisonCase{"Rsk    -0.269", -0.2684, true, -0.2684},
                      ComparisonCase{"RSm    0.1132 mm", 113.2, false, 0.1132},
                      ComparisonCase{"RSm    0.1132 mm", 113.3, true, 0.1133},
                      ComparisonCase{"Ra     32.75 uin", 0.8319, false, 0.8319 / 0.0254},
                      ComparisonCase{"Rmr    7.10 %", 7.1054, false, 7.1054},
                      ComparisonCase{"Rmr    7.10 %", 7.1056, true, 7.1056}));

// Rmr counts points: one point of the evaluation length more or less agrees.
TEST(Comparison, AllowsRmrOnePoint) {
  kv::RoughnessParameters computed;
  computed.rmrStep = 0.025;
  const auto reported = kv::ParseReportedParameters({"Rmr    7.10 %"});
  computed.rmr = 7.130;
  EXPECT_TRUE(kv::CompareParameters(reported, computed).value().AllAgree());
  computed.rmr = 7.131;
  EXPECT_FALSE(kv::CompareParameters(reported, computed).value().AllAgree());
}

TEST(Comparison, RefusesAUnitThatDoesNotFitAndAFileWithoutParameters) {
  EXPECT_FALSE(kv::CompareParameters(kv::ParseReportedParameters({"Ra 0.8 %"}), {}).ok());
  EXPECT_FALSE(kv::CompareParameters(kv::ParseReportedParameters({"Rmax 0.8 um"}), {}).ok());
}

TEST(CheckText, ShowsEveryRowAndWhatDiffers) {
  kv::RoughnessParameters computed;
  computed.ra = 0.83198;
  computed.rsk = 0.269;
  const auto check = kv::CompareParameters(
      kv::ParseReportedParameters({"Ra     0.8319 um", "Rsk    0.269"}), computed);
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(kv::ParameterCheckText(check.value()),
            "Parameter Controller             Computed     Difference\n"
            "Ra        0.8319 um               0.83198        0.00008  DIFFERS\n"
            "Rsk       0.269                    0.2690         0.0000\n"
            "1 of 2 parameters differ from the measured profile.\n");
}

}  // namespace
