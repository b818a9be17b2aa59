// SPDX-License-Identifier: GPL-3.0-or-later
// The generated measurement: its R and W split, and the counts the configuration asks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

#include "sim/measurement.h"

namespace kvsim::test {
namespace {

// Whether f(0) .. f(count - 1) lie on a straight line.
template <typename F>
void ExpectStraight(std::size_t count, F f) {
  for (std::size_t i = 1; i + 1 < count; ++i) ASSERT_NEAR(f(i - 1) - 2 * f(i) + f(i + 1), 0, 1e-9);
}

TEST(MeasurementTest, EvaluatesRoughnessInSetAAndWavinessInSetB) {
  const Measurement m = Measure(Config{});
  const EvaluationSet& a = m.sets[0];
  const EvaluationSet& b = m.sets[1];
  // Levelled profile = R + W: what is left of the traced profile is a line.
  ExpectStraight(m.measured.size(),
                 [&](std::size_t i) { return m.measured[i] - m.roughness[i] - m.waviness[i]; });
  // 4 mm in the middle of 4.8 mm; W levelled over it again, so they differ
  // by a straight line and B's mean is 0.
  EXPECT_EQ(a.evaluation, std::vector<double>(&m.roughness[400], &m.roughness[4401]));
  ASSERT_EQ(b.evaluation.size(), 4001u);
  ExpectStraight(4001, [&](std::size_t i) { return m.waviness[400 + i] - b.evaluation[i]; });
  EXPECT_NEAR(std::accumulate(b.evaluation.begin(), b.evaluation.end(), 0.0) / 4001, 0, 1e-3);
  for (std::size_t type = 0; type < 3; ++type) EXPECT_NE(a.graphs[type], b.graphs[type]) << type;
}

TEST(MeasurementTest, CountsFollowTheConfiguration) {
  const struct {
    std::size_t points, evaluation;
    std::optional<std::size_t> evaluationTotal;
    std::uint8_t samplingCount;
    double evaluationLength;  // mm
    std::array<std::size_t, 3> graphTotals, graphs;
  } cases[] = {
      // More than there are; no room for run-up; the longest.
      {2500, 1601, 9999, 2, 1.6, {0, 1, 9999}, {0, 1, 800}},
      {1200, 1200, std::nullopt, 0, 1.199, {51, 101, 256}, {51, 101, 256}},
      {50001, 48801, std::nullopt, 61, 48.8, {51, 101, 256}, {51, 101, 256}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points);
    Config config;
    config.points = c.points;
    config.evaluationTotal = c.evaluationTotal;
    config.graphTotals = c.graphTotals;
    const Measurement m = Measure(config);
    EXPECT_EQ(m.sets[0].evaluation.size(), c.evaluation);
    EXPECT_EQ(m.sets[0].conditions.samplingCount, c.samplingCount);
    EXPECT_DOUBLE_EQ(m.sets[0].conditions.evaluationLength, c.evaluationLength);
    const auto& graphs = m.sets[0].graphs;
    EXPECT_EQ((std::array{graphs[0].size(), graphs[1].size(), graphs[2].size()}), c.graphs);
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
  EXPECT_NEAR(std::stod(texts[0].substr(3)), 2 / std::numbers::pi, 1e-3);  // Ra
  EXPECT_EQ(texts[10], "RSm 0.1000 mm");
  EXPECT_EQ(texts[15], "RPc 100.0 /cm");

  config.unit = 1;
  const std::vector<std::string> inch = Measure(config).sets[0].parameterTexts;
  EXPECT_NEAR(std::stod(inch[0].substr(3)), 2 / std::numbers::pi / 0.0254, 0.04);  // uin
  EXPECT_EQ(inch[10], "RSm 0.00394 in");
  EXPECT_EQ(inch[15], "RPc 254.0 /in");
}

}  // namespace
}  // namespace kvsim::test
