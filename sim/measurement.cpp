// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/measurement.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "sim/parameter_texts.h"
#include "sim/profile_filter.h"
#include "sim/profile_parameters.h"
#include "sim/profile_synthesis.h"

namespace kvsim {
namespace {

constexpr std::size_t kMaxSamplingCount = 255;  // one byte in the conditions
constexpr std::uint8_t kProfileR = 1;
constexpr std::uint8_t kProfileW = 2;

EvaluationSet Evaluate(std::span<const double> z, double pitch, std::size_t samplingCount,
                       char letter, const Conditions& conditions, const Config& config) {
  EvaluationSet set;
  set.conditions = conditions;
  set.parameterTexts =
      ParameterTexts(ComputeParameters(z, pitch, std::max<std::size_t>(samplingCount, 1)), letter,
                     config.unit != 0);
  if (config.parameterOffset) {
    OffsetParameterText(set.parameterTexts, config.parameterOffset->name,
                        config.parameterOffset->offset);
  }
  const std::size_t total = std::min(config.evaluationTotal.value_or(z.size()), z.size());
  set.evaluation.assign(z.begin(), z.begin() + static_cast<std::ptrdiff_t>(total));
  set.graphs[kAdc] = AmplitudeDistribution(z, config.graphTotals[kAdc]);
  set.graphs[kBac] = BearingAreaCurve(z, config.graphTotals[kBac]);
  set.graphs[kPow] = PowerSpectrum(z, config.graphTotals[kPow]);
  return set;
}

}  // namespace

Measurement Measure(const Config& config) {
  Measurement m;
  m.pitch = kPitchMicrometres.at(config.pitchCode) / 1000;
  const double cutoff = kCutoffMillimetres.at(config.cutoffCode);
  m.measured =
      config.profile.empty()
          ? SynthesizeProfile(config.seed, std::clamp(config.points, kMinPoints, kMaxPoints),
                              m.pitch, cutoff)
          : config.profile;
  const std::vector<double> levelled = Levelled(m.measured);
  m.waviness = GaussianMeanLine(levelled, cutoff / m.pitch);
  m.roughness.resize(levelled.size());
  for (std::size_t i = 0; i < levelled.size(); ++i) m.roughness[i] = levelled[i] - m.waviness[i];

  // Half a cut-off at each end is run-up and run-over, where the filter lacks
  // the profile on one side; the sampling lengths lie between. A profile too
  // short for one of them is evaluated whole, by its length.
  const std::size_t intervals = m.measured.empty() ? 0 : m.measured.size() - 1;
  const auto perCutoff = static_cast<std::size_t>(std::llround(cutoff / m.pitch));
  const std::size_t usable = intervals > perCutoff ? intervals - perCutoff : 0;
  const std::size_t samplingCount = std::min(usable / perCutoff, kMaxSamplingCount);
  const std::size_t first = samplingCount > 0 ? (intervals - samplingCount * perCutoff) / 2 : 0;
  const std::size_t evaluated =
      samplingCount > 0 ? samplingCount * perCutoff + 1 : m.measured.size();
  const double evaluationLength = static_cast<double>(evaluated > 0 ? evaluated - 1 : 0) * m.pitch;

  Conditions a = GaussianConditions(config.cutoffCode, config.pitchCode);
  a.profile = kProfileR;
  a.samplingCount = static_cast<std::uint8_t>(samplingCount);
  a.evaluationLength = evaluationLength;
  m.sets[0] = Evaluate(std::span(m.roughness).subspan(first, evaluated), m.pitch, samplingCount,
                       'R', a, config);

  Conditions b = GaussianConditions(config.cutoffCode, config.pitchCode);
  b.profile = kProfileW;
  b.samplingCount = 0;
  b.evaluationLength = evaluationLength;
  // Over its own length the waviness has its own least-squares mean line.
  m.sets[1] = Evaluate(Levelled(std::span(m.waviness).subspan(first, evaluated)), m.pitch, 1, 'W',
                       b, config);
  return m;
}

}  // namespace kvsim
