// SPDX-License-Identifier: GPL-3.0-or-later
// The generated measurement: repeatable, split into roughness and waviness,
// and evaluated as the configuration asks.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

#include "sim/measurement.h"
#include "sim/profile_file.h"
#include "temp_folder.h"

namespace kvsim::test {
namespace {

// The value of a record text "name value [unit]".
double ValueOf(const std::string& text) {
  const std::size_t start = text.find(' ') + 1;
  double value = std::nan("");
  std::from_chars(text.data() + start, text.data() + text.size(), value);
  return value;
}

TEST(MeasurementTest, TheSameSeedGivesTheSameMeasurement) {
  const Config config;
  const Measurement first = Measure(config);
  const Measurement second = Measure(config);
  EXPECT_EQ(first.measured, second.measured);
  for (std::size_t set = 0; set < 2; ++set) {
    EXPECT_EQ(first.sets[set].parameterTexts, second.sets[set].parameterTexts);
    EXPECT_EQ(first.sets[set].evaluation, second.sets[set].evaluation);
    EXPECT_EQ(first.sets[set].graphs, second.sets[set].graphs);
  }
  // Raw engine output only, so these hold with any standard library.
  EXPECT_EQ(first.sets[0].parameterTexts[0], "Ra 0.8319 um");
  EXPECT_EQ(first.sets[1].parameterTexts[0], "Wa 0.6783 um");

  Config other;
  other.seed = 733;
  EXPECT_NE(Measure(other).measured, first.measured);
}

TEST(MeasurementTest, EvaluatesRoughnessInSetAAndWavinessInSetB) {
  const Measurement m = Measure(Config{});
  const EvaluationSet& a = m.sets[0];
  const EvaluationSet& b = m.sets[1];
  EXPECT_EQ(a.conditions.profile, 1);        // R
  EXPECT_EQ(b.conditions.profile, 2);        // W
  EXPECT_EQ(a.conditions.samplingCount, 5);  // 4 mm at a cut-off of 0.8 mm
  EXPECT_EQ(b.conditions.samplingCount, 0);  // by the evaluation length
  // 4 mm in the middle of 4.8 mm; W levelled over it again, so they differ
  // by a straight line and B's mean is 0.
  EXPECT_EQ(a.evaluation, std::vector<double>(&m.roughness[400], &m.roughness[4401]));
  ASSERT_EQ(b.evaluation.size(), 4001u);
  double sum = 0;
  for (std::size_t i = 1; i + 1 < 4001; ++i) {
    const auto Tilt = [&](std::size_t j) { return m.waviness[400 + j] - b.evaluation[j]; };
    ASSERT_NEAR(Tilt(i - 1) - 2 * Tilt(i) + Tilt(i + 1), 0, 1e-9) << i;
    sum += b.evaluation[i];
  }
  EXPECT_NEAR(sum / 4001, 0, 1e-3);
  EXPECT_EQ(a.parameterTexts.size(), 16u);
  EXPECT_EQ(b.parameterTexts.size(), 13u);
  for (std::size_t type = 0; type < 3; ++type) EXPECT_NE(a.graphs[type], b.graphs[type]) << type;

  // Levelled profile = R + W: what is left of the traced profile is a line.
  for (std::size_t i = 1; i + 1 < m.measured.size(); ++i) {
    const auto Rest = [&](std::size_t j) { return m.measured[j] - m.roughness[j] - m.waviness[j]; };
    ASSERT_NEAR(Rest(i - 1) - 2 * Rest(i) + Rest(i + 1), 0, 1e-9) << i;
  }
  // Roughness of a ground surface: Ra about 0.8 of Rq, Rz between Rq and Rt.
  const double ra = ValueOf(a.parameterTexts[0]);
  const double rq = ValueOf(a.parameterTexts[1]);
  const double rz = ValueOf(a.parameterTexts[2]);
  EXPECT_NEAR(ra / rq, 0.8, 0.05);
  EXPECT_NEAR(rz, ValueOf(a.parameterTexts[3]) + ValueOf(a.parameterTexts[4]), 2e-4);  // Rp + Rv
  EXPECT_LT(rz, ValueOf(a.parameterTexts[5]));                                         // Rt
  EXPECT_LE(rz, ValueOf(a.parameterTexts[7]));                                         // Rmax
}

TEST(MeasurementTest, CountsFollowTheConfiguration) {
  const struct {
    const char* name;
    std::size_t points;
    std::optional<std::size_t> evaluationTotal;
    std::array<std::size_t, 3> graphTotals;
    std::size_t evaluation;
    std::array<std::size_t, 3> graphs;
    std::uint8_t samplingCount;
    double evaluationLength;  // mm
  } cases[] = {
      {"defaults", 4801, std::nullopt, {51, 101, 256}, 4001, {51, 101, 256}, 5, 4.0},
      {"chosen", 4801, 1234, {7, 23, 2001}, 1234, {7, 23, 2000}, 5, 4.0},
      {"more than there are", 2500, 9999, {0, 1, 9999}, 1601, {0, 1, 800}, 2, 1.6},
      {"no room for run-up", 1200, std::nullopt, {51, 101, 256}, 1200, {51, 101, 256}, 0, 1.199},
      {"the longest", 50001, std::nullopt, {51, 101, 256}, 48801, {51, 101, 256}, 61, 48.8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Config config;
    config.points = c.points;
    config.evaluationTotal = c.evaluationTotal;
    config.graphTotals = c.graphTotals;
    const Measurement m = Measure(config);
    EXPECT_EQ(m.measured.size(), c.points);
    EXPECT_EQ(m.sets[0].evaluation.size(), c.evaluation);
    EXPECT_EQ(m.sets[0].conditions.samplingCount, c.samplingCount);
    EXPECT_DOUBLE_EQ(m.sets[0].conditions.evaluationLength, c.evaluationLength);
    for (std::size_t type = 0; type < 3; ++type) {
      EXPECT_EQ(m.sets[0].graphs[type].size(), c.graphs[type]) << type;
    }
  }
}

TEST(MeasurementTest, ALoadedProfileIsEvaluatedAsMeasured) {
  // Waves of 0.1 mm and 1 um amplitude: the filter leaves them to R.
  Config config;
  for (std::size_t i = 0; i < 4801; ++i) {
    config.profile.push_back(std::sin(2 * std::numbers::pi * static_cast<double>(i) / 100));
  }
  const Measurement m = Measure(config);
  EXPECT_EQ(m.measured, config.profile);
  const std::vector<std::string>& texts = m.sets[0].parameterTexts;
  EXPECT_NEAR(ValueOf(texts[0]), 2 / std::numbers::pi, 1e-3);  // Ra
  EXPECT_NEAR(ValueOf(texts[8]), 0, 2e-3);                     // Rsk
  EXPECT_EQ(texts[10], "RSm 0.1000 mm");
  EXPECT_EQ(texts[15], "RPc 100.0 /cm");

  config.unit = 1;
  const std::vector<std::string> inch = Measure(config).sets[0].parameterTexts;
  EXPECT_NEAR(ValueOf(inch[0]), 2 / std::numbers::pi / 0.0254, 0.04);  // uin
  EXPECT_EQ(inch[10], "RSm 0.00394 in");
  EXPECT_EQ(inch[15], "RPc 254.0 /in");
}

TEST(ProfileFileTest, TakesOneValuePerLineOrSaysWhyNot) {
  kvtest::TempFolder folder;
  const auto Lines = [](std::size_t count, const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += line;
    return text;
  };
  const struct {
    const char* name;
    std::string content;
    std::size_t values;
    std::string problem;  // a part of the message
  } cases[] = {
      {"values", " 1.5\r\n\n-2e-1\t\n" + Lines(14, "0\n") + "3", 17, ""},
      {"text", Lines(20, "0\n") + "abc\n", 0, "line 21 (\"abc\") is not a number"},
      {"comma", "1,5\n" + Lines(20, "0\n"), 0, "line 1 (\"1,5\") is not a number"},
      {"infinite", Lines(20, "0\n") + "inf\n", 0, "(\"inf\") is not a number"},
      {"too few", Lines(15, "1\n"), 0, "holds 15 values, at least 16"},
      {"too many", Lines(50002, "1\n"), 0, "more than 50001 values"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder.path() / "profile.txt";
    kvtest::WriteBytes(path, c.content);
    const LoadedProfile loaded = LoadProfile(path.string());
    EXPECT_EQ(loaded.values.size(), c.values);
    if (c.problem.empty()) {
      EXPECT_EQ(loaded.problem, "");
    } else {
      EXPECT_NE(loaded.problem.find(c.problem), std::string::npos) << loaded.problem;
    }
  }
  EXPECT_EQ(LoadProfile((folder.path() / "none.txt").string()).problem, "cannot be read");
  kvtest::WriteBytes(folder.path() / "p.txt", " 1.5\r\n\n-2e-1\t\n" + Lines(14, "0\n") + "3");
  const std::vector<double> values = LoadProfile((folder.path() / "p.txt").string()).values;
  ASSERT_EQ(values.size(), 17u);
  EXPECT_EQ(values[0], 1.5);
  EXPECT_EQ(values[1], -0.2);
  EXPECT_EQ(values[16], 3);
}

}  // namespace
}  // namespace kvsim::test
