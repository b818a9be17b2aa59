// SPDX-License-Identifier: GPL-3.0-or-later
// The reply readers against the simulator on its socket: what they stage is
// checked byte-exact against the simulator's own measurement. The frames the
// readers send must be right for the simulator to answer at all.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <span>
#include <tuple>

#include "recording_view.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/number_text.h"
#include "results/parameters_reader.h"
#include "results/profile_reader.h"
#include "sim_fixture.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

std::string Csv(const Lines& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

// The file of `values` as the controller sends them, or in microinches.
std::string ValuesFile(std::span<const double> values, bool inch = false) {
  std::string bytes;
  for (double value : values)
    bytes += GeneralNumberText(inch ? value / 25.4 * 1000 : value) + "\r\n";
  return bytes;
}

class ReadersTest : public ::testing::Test {
 protected:
  ReadersTest() { Connect({}); }

  void Connect(kvsim::Config config) {
    sim = std::make_unique<kvtest::SimOverSocket>(std::move(config));
    link = std::make_unique<Link>(*sim->transport);
    ASSERT_EQ(link->Open(), 0);
    settings.VersionNumber = 1103;
    stage.Clear();
    view = {};
  }
  ReaderContext Context() { return {*link, settings, view, stage, blockCount}; }
  std::string File(const char* name) {
    const std::string* bytes = stage.Bytes(name);
    return bytes ? *bytes : "(not staged)";
  }
  const kvsim::EvaluationSet& Set(int set) { return sim->controller.measurement().sets[set]; }

  ProcessSettings settings;
  kvtest::RecordingView view;
  ResultStage stage;
  std::int32_t blockCount = 0;
  std::unique_ptr<kvtest::SimOverSocket> sim;
  std::unique_ptr<Link> link;
};

// The Shift-JIS Greek letters, the delta fix, odd spacing, long names.
TEST(ParameterLineTest, AlignsNamesAndTranslatesGreekLetters) {
  const std::pair<std::string, std::string> cases[] = {
      {"R\x83\xA2q 0.07", "RDq    0.07"},              // capital delta
      {"R\x83\xC9q 9.19 \xB5m", "RLq    9.19 \xB5m"},  // small lambda
      {"R\x83\xC2q 0.05", "RDq    0.05"},              // small delta, then the dq fix
      {"R\x83\xC2\x63 0.16", "Rdc    0.16"},           // no fix for dc
      {"Rda 1", "RDa    1"},
      {" 0.5 um", "       0.5 um"},
      {"Rmr(c) 55.0 %", "Rmr(c) 55.0 %"},  // a long name keeps one space
      {"Rsk  -0.12", "Rsk     -0.12"},     // spacing after the first space is the controller's
      {"R", "R"},                          // no space: nothing to align
  };
  for (const auto& [record, line] : cases) EXPECT_EQ(ParameterLine(record), line) << record;
}

// Old firmware cannot choose the set: it sends set A's parameters.
TEST_F(ReadersTest, ParametersAndConditionsOfEitherSetInEitherUnit) {
  using Boxes = std::array<std::string, 5>;
  using Captions = std::map<int, int>;  // "L" in line 1: evaluation length
  const struct {
    int set;  // set B in inch
    Lines conditions;
    Boxes boxes;
    Captions captions;
  } cases[] = {
      {0,
       Lines{"CUT 0.8mm", "N 5", "CUV R", "FIL GAUSS", "STD ISO 1997", "LS  2.5um", "STP 1.00",
             "UNT 1", "LNG E"},
       Boxes{"ISO 1997", "R", "GAUSS", "5", "0.8mm"}, Captions{}},
      {1,
       Lines{"CUT 0.03in-NONE", "L 0.157in", "CUV W", "FIL GAUSS", "STD ISO 1997", "LS  100uin",
             "STP 40.0", "UNT 2", "LNG E"},
       Boxes{"ISO 1997", "W", "GAUSS", "0.157in", "0.03in-NONE"}, Captions{{3, 29}}},
  };
  for (const auto& c : cases) {
    settings.EvaluationSelection = static_cast<std::int16_t>(c.set);
    settings.LanguageIndex = 1;
    view = {};
    ReaderContext context = Context();
    ASSERT_TRUE(ReadParameters(context).ok());
    Lines parameters;
    for (const auto& text : Set(c.set).parameterTexts) parameters.push_back(ParameterLine(text));
    EXPECT_EQ(File("Parameter.csv"), Csv(parameters)) << c.set;
    EXPECT_TRUE(view.parameters.ends_with("\r\n\r\n"));
    ASSERT_TRUE((c.set ? ReadConditionsInch(context) : ReadConditionsMetric(context)).ok());
    EXPECT_EQ(File("Condition.csv"), Csv(c.conditions)) << c.set;
    EXPECT_EQ(view.conditions, c.boxes) << c.set;
    EXPECT_EQ(view.captions, c.captions) << c.set;
  }
  settings.VersionNumber = 1101;
  ReaderContext context = Context();
  ASSERT_TRUE(ReadParameters(context).ok());
  EXPECT_TRUE(File("Parameter.csv").starts_with("Ra "));
}

// The evaluation data has exactly the values the controller counts (none at
// all: ReadAllTest); graphs by type, in microinches for an inch reading.
TEST_F(ReadersTest, EvaluationDataAndGraphsHoldEveryValue) {
  const struct {
    std::optional<std::size_t> total;
    std::size_t lines;
    int blocks;
  } cases[] = {{std::nullopt, 4001, 401}, {1234, 1234, 124}, {3, 3, 1}, {10, 10, 1}};
  for (const auto& c : cases) {
    Connect({.evaluationTotal = c.total});
    ReaderContext context = Context();
    auto blocks = ReadEvaluationData(context);
    ASSERT_TRUE(blocks.ok());
    EXPECT_EQ(blocks.value(), c.blocks);
    EXPECT_EQ(blockCount, c.blocks);
    EXPECT_EQ(File("Evaluation.csv"), ValuesFile(std::span(Set(0).evaluation).first(c.lines)));
    EXPECT_TRUE(view.progress.starts_with("show " + std::to_string(c.blocks) + ";0;"));
    EXPECT_TRUE(view.progress.ends_with(";" + std::to_string(c.blocks - 1) + ";hide"));
  }

  const std::tuple<std::int16_t, int, bool, const char*> graphs[] = {
      {0, 0, false, "Graph_ADC.Csv"}, {1, 1, true, "Graph_BAC.Csv"}, {2, 0, true, "Graph_POW.Csv"}};
  for (const auto& [type, set, inch, file] : graphs) {
    settings.EvaluationSelection = static_cast<std::int16_t>(set);
    settings.UnitSetting = inch;
    ReaderContext context = Context();
    ASSERT_TRUE(ReadGraphData(context, type).ok());
    EXPECT_EQ(File(file), ValuesFile(Set(set).graphs[type], inch)) << file;
  }
  ReaderContext context = Context();
  EXPECT_FALSE(ReadGraphData(context, 3).ok());
}

// Fifteen records fill a reply; the value of a sixteenth still fits.
TEST_F(ReadersTest, MeasuredProfileToItsEndMark) {
  for (std::size_t records : {15, 16}) {
    Connect({.recordsPerReply = records});
    ReaderContext context = Context();
    auto count = ReadMeasuredProfile(context);
    ASSERT_TRUE(count.ok());
    const auto& measured = sim->controller.measurement().measured;
    EXPECT_EQ(count.value(), static_cast<std::int32_t>(measured.size()));
    EXPECT_EQ(File("Measured.csv"), ValuesFile(measured)) << records;
    EXPECT_TRUE(view.progress.ends_with("hide"));
  }
}

// A reply that is missing, short or cut off mid-way fails the reader and
// leaves what was staged before as it was. (Empty evaluation replies, graph
// faults and a profile that stops answering: ReadAllTest.)
TEST_F(ReadersTest, AReplyThatFailsLeavesTheStageAsItWas) {
  using enum StatusCode;
  using kvtest::Cut;
  struct Reader {
    const char* file;
    std::function<Status(ReaderContext&)> read;
  };
  const Reader parameters{"Parameter.csv", [](auto& c) { return ReadParameters(c); }};
  const Reader conditions{"Condition.csv", [](auto& c) { return ReadConditionsMetric(c); }};
  const Reader evaluation{"Evaluation.csv", [](auto& c) { return ReadEvaluationData(c).status(); }};
  const Reader profile{"Measured.csv", [](auto& c) { return ReadMeasuredProfile(c).status(); }};
  const struct {
    const char* name;
    const Reader& reader;
    kvsim::Config config;
    StatusCode code;
  } cases[] = {
      {"parameter record empty", parameters, {.zeroReplyAt = 3}, kNoReply},
      {"parameter record without text", parameters, Cut(12), kShortReply},
      {"conditions short", conditions, Cut(210), kShortReply},
      {"evaluation block short", evaluation, Cut(95), kShortReply},
      {"profile records cut off", profile, Cut(299), kShortReply},
      {"profile records beyond the reply", profile, {.recordsPerReply = 17}, kBadReply},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Connect(c.config);
    stage.Add(c.reader.file, "previous\r\n");
    ReaderContext context = Context();
    EXPECT_EQ(c.reader.read(context).code(), c.code);
    EXPECT_EQ(File(c.reader.file), "previous\r\n");
    EXPECT_TRUE(view.progress.empty() || view.progress.ends_with("hide")) << view.progress;
  }
}

}  // namespace
}  // namespace kv
