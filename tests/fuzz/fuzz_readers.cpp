// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer: any bytes as the controller's replies to the reply readers and
// the frame builders, first in the order of a whole read, then each on its own.
#include "chunked_transport.h"
#include "link/frame_builders.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"

namespace {

using kvfuzz::Expect;

constexpr std::int32_t kSettingsReplyVersion = 1102;

template <typename T>
long long Count(const kv::Result<T>& result) {
  return result.ok() ? result.value() : -1;
}

long long Count(const kv::Status& status) {
  return status.ok() ? 1 : -1;
}

// The reads of app/read_all.cpp in their order, into one stage, until the
// first failure; the settings follow the replies as they do there.
void ReadAllOrder(kv::ReaderContext& context, kv::ProcessSettings& settings) {
  kv::Link& link = context.link;
  if (settings.VersionNumber < kSettingsReplyVersion) {
    auto unit = kv::ReadControllerMemory(link, kv::kUnitAddress);
    if (!unit.ok()) return;
    settings.UnitSetting = unit.value();
    auto flag = kv::ReadControllerMemory(link, kv::kEvaluationFlagAddress);
    // Flag and selection must agree where the flag names a set.
    if (!flag.ok() || (flag.value() <= 1 && flag.value() != settings.EvaluationSelection)) return;
  } else {
    auto controller = kv::ReadControllerSettings(link, settings.EvaluationSelection);
    if (!controller.ok()) return;
    settings.UnitSetting = controller.value().UnitSetting;
    settings.LanguageIndex = controller.value().LanguageIndex;
  }
  auto status = kv::ReadControllerStatus(link);
  if (!status.ok()) return;
  if (status.value() != 0) {  // busy: one status reset
    if (!kv::SetStatusControl(link, 1).ok() || !kv::SetStatusControl(link, 0).ok()) return;
    status = kv::ReadControllerStatus(link);
    if (!status.ok() || (status.value() & 0x0F) != 0) return;
  }
  if (!kv::ReadParameters(context).ok()) return;
  kv::Status conditions = settings.UnitSetting == 0 ? kv::ReadConditionsMetric(context)
                                                    : kv::ReadConditionsInch(context);
  if (!conditions.ok()) return;
  if (Count(kv::ReadEvaluationData(context)) <= 0) return;
  if (Count(kv::ReadGraphData(context, 1)) <= 0) return;  // bearing-area curve
  (void)kv::ReadGraphData(context, 0);                    // amplitude distribution
}

// One reader on a stage of its own: it stages `file` exactly when it succeeds
// with something read (`read` returns -1 for a failure, else the count read).
template <typename Read>
void Alone(kv::ReaderContext& base, const char* file, Read read) {
  kv::ResultStage stage;
  kv::ReaderContext context{base.link, base.settings, base.view, stage, base.BlockCount};
  const long long count = read(context);
  Expect(count > 0 ? stage.Bytes(file) != nullptr : stage.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static constexpr std::int32_t kVersions[] = {1101, 1102, 1103, 1103};
  kv::ProcessSettings settings;
  settings.UnitSetting = data[0] & 1;
  settings.EvaluationSelection = data[0] >> 1 & 1;
  settings.VersionNumber = kVersions[data[0] >> 2 & 3];
  settings.LanguageIndex = data[0] >> 4;
  std::int32_t blockCount = data[1];  // sizes the profile's progress bar
  kvfuzz::ChunkedTransport transport({data + 2, size - 2});
  kv::Link link(transport);
  kvfuzz::NullView view;
  kv::ResultStage stage;
  kv::ReaderContext context{link, settings, view, stage, blockCount};
  ReadAllOrder(context, settings);

  // Whatever input is left, through each reader and builder.
  (void)kv::ReadControllerVersion(link);
  (void)kv::ReadPrintKeyState(link);
  (void)kv::SetOutputMode(link, 1);
  (void)kv::SendStartCommand(link);
  (void)kv::ReadControllerMemory(link, kv::kLanguageAddress);
  Alone(context, "Parameter.csv", [](auto& c) { return Count(kv::ReadParameters(c)); });
  Alone(context, "Condition.csv", [](auto& c) { return Count(kv::ReadConditionsMetric(c)); });
  Alone(context, "Condition.csv", [](auto& c) { return Count(kv::ReadConditionsInch(c)); });
  Alone(context, "Evaluation.csv", [](auto& c) { return Count(kv::ReadEvaluationData(c)); });
  static constexpr const char* kGraphs[] = {"Graph_ADC.Csv", "Graph_BAC.Csv", "Graph_POW.Csv"};
  for (std::int16_t type = 0; type < 3; ++type) {
    Alone(context, kGraphs[type], [type](auto& c) { return Count(kv::ReadGraphData(c, type)); });
  }
  Alone(context, "Measured.csv", [](auto& c) { return Count(kv::ReadMeasuredProfile(c)); });
  return 0;
}
