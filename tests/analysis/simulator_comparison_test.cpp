// SPDX-License-Identifier: GPL-3.0-or-later
// The check's computation beside the simulator's own, written apart from it:
// the same measured profile must give the same parameters, up to the
// interpolated mean line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>

#include "analysis/roughness_parameters.h"
#include "sim/conditions.h"
#include "sim/measurement.h"
#include "sim/profile_parameters.h"

namespace {

struct Configuration {
  const char* what;
  kvsim::Config config;
};

class SimulatorParameters : public ::testing::TestWithParam<Configuration> {};

TEST_P(SimulatorParameters, AgreeWithTheCheck) {
  const kvsim::Config& config = GetParam().config;
  const kvsim::Measurement m = kvsim::Measure(config);
  const int count = m.sets[0].conditions.samplingCount;
  ASSERT_GT(count, 0);
  const kv::MeasuringConditions conditions{
      .cutoff = kvsim::kCutoffMillimetres.at(config.cutoffCode) * 1000,
      .samplingLengths = count,
      .pitch = kvsim::kPitchMicrometres.at(config.pitchCode)};
  const auto roughness = kv::ExtractRoughness(m.measured, conditions);
  ASSERT_TRUE(roughness.ok()) << roughness.status().description();
  const kv::RoughnessParameters mine = kv::ComputeParameters(roughness.value());
  const kvsim::ProfileParameters sim =
      kvsim::ComputeParameters(m.sets[0].evaluation, m.pitch, static_cast<std::size_t>(count));

  // Within a ten-thousandth of Rq (RDq, Rsk and Rku of themselves), below
  // what the controller shows; Rmr within one point of the evaluation length.
  const double height = 1e-4 * sim.q;
  EXPECT_NEAR(mine.ra, sim.a, height);
  EXPECT_NEAR(mine.rq, sim.q, height);
  EXPECT_NEAR(mine.rp, sim.p, height);
  EXPECT_NEAR(mine.rv, sim.v, height);
  EXPECT_NEAR(mine.rz, sim.z, height);
  EXPECT_NEAR(mine.rt, sim.t, height);
  EXPECT_NEAR(mine.rc, sim.c, height);
  EXPECT_NEAR(mine.rsk, sim.sk, 1e-4 * std::abs(sim.sk) + 1e-5);
  EXPECT_NEAR(mine.rku, sim.ku, 1e-4 * sim.ku);
  EXPECT_NEAR(mine.rdq, sim.deltaQ, 1e-4 * sim.deltaQ);
  EXPECT_NEAR(mine.rsm / 1000, sim.sm, 1e-4 * sim.sm);
  EXPECT_NEAR(mine.rmr, sim.mr, mine.rmrStep);
}

// The simulator's default measurement, other seeds, cut-offs and pitches,
// each with five sampling lengths and half a cut-off of run-in and run-out.
INSTANTIATE_TEST_SUITE_P(
    Measurements, SimulatorParameters,
    ::testing::Values(Configuration{"default", {}}, Configuration{"seed 1", {.seed = 1}},
                      Configuration{"seed 99", {.seed = 99}},
                      Configuration{"0.25 mm at 0.5 um",
                                    {.seed = 5, .points = 3001, .cutoffCode = 2, .pitchCode = 2}},
                      Configuration{"2.5 mm at 1 um",
                                    {.seed = 7, .points = 15001, .cutoffCode = 4, .pitchCode = 3}},
                      Configuration{"0.8 mm at 0.1 um",
                                    {.seed = 3, .points = 48001, .cutoffCode = 3, .pitchCode = 1}}),
    [](const auto& info) {
      std::string name = info.param.what;
      std::replace_if(
          name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
      return name;
    });

}  // namespace
