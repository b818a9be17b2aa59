// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the result files the check takes, and the table it makes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "analysis/measuring_conditions.h"
#include "analysis/parameter_check.h"
#include "analysis/parameter_check_text.h"

namespace {

// Cut-off, sampling lengths and pitch in micrometres; an empty expectation
// is a refusal.
TEST(Conditions, AreReadInMicrometres) {
  const std::pair<std::vector<std::string>, std::vector<double>> cases[] = {
      {{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STP 1.00", "UNT 1"}, {800, 5, 1}},
      // Inch texts are rounded: 0.03in is the 0.8 mm cut-off, 20.0 the 0.5 um pitch.
      {{"CUT 0.03in", "N 3", "CUV R", "FIL GAUSS", "STP 20.0", "UNT 2"}, {800, 3, 0.5}},
      // An evaluation length instead of a count; the metric text drops the 0.
      {{"CUT 0.08mm", "L   .4mm", "CUV R", "FIL GAUSS", "STP 0.05", "UNT 1"}, {80, 5, 0.05}},
      {{"CUT 0.8mm", "N 5", "CUV W", "FIL GAUSS", "STP 1.00"}, {}},
      {{"CUT 0.8mm", "N 5", "CUV R", "FIL 2CR", "STP 1.00"}, {}},
      {{"CUT 0.8mm", "L   1.1mm", "CUV R", "FIL GAUSS", "STP 1.00"}, {}}};
  for (const auto& [lines, expected] : cases) {
    const auto parsed = kv::ParseConditions(lines);
    ASSERT_EQ(parsed.ok(), !expected.empty()) << lines[2] << lines[3];
    if (expected.empty()) continue;
    EXPECT_DOUBLE_EQ(parsed.value().cutoff, expected[0]);
    EXPECT_EQ(parsed.value().samplingLengths, expected[1]);
    EXPECT_DOUBLE_EQ(parsed.value().pitch, expected[2]);
  }
}

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

// Display rounding: half a unit of the controller's last digit, and half a
// unit of the computed value's (shown with one digit more).
TEST(Comparison, FlagsDifferencesBeyondDisplayRounding) {
  const std::tuple<const char*, double, bool, double> cases[] = {
      // reported line, computed, disagrees, computed in the controller's unit
      {"Ra     0.8319 um", 0.831954, false, 0.831954},
      {"Ra     0.8319 um", 0.831956, true, 0.831956},
      {"Rsk    -0.269", -0.2684, true, -0.2684},
      {"RSm    0.1132 mm", 113.2, false, 0.1132},
      {"RSm    0.1132 mm", 113.3, true, 0.1133},
      {"Ra     32.75 uin", 0.8319, false, 0.8319 / 0.0254}};
  for (const auto& [line, value, disagrees, shown] : cases) {
    kv::RoughnessParameters computed;
    computed.ra = computed.rsm = computed.rsk = value;
    const auto check = kv::CompareParameters(kv::ParseReportedParameters({line}), computed);
    ASSERT_TRUE(check.ok() && check.value().rows.size() == 1) << line;
    EXPECT_EQ(check.value().rows[0].disagrees, disagrees) << line << " " << value;
    EXPECT_NEAR(check.value().rows[0].computed, shown, 1e-12);
  }
}

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
