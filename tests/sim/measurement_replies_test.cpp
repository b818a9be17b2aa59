// SPDX-License-Identifier: GPL-3.0-or-later
// The replies that carry the measurement, over the controller's real socket.
#include <string>

#include "socket_fixture.h"

namespace kvsim::test {
namespace {

// A block reply: values from `first` at 16 + 8k, 0.0 past the end.
Bytes Block(std::uint16_t code, const std::vector<double>& values, std::size_t first) {
  Bytes reply = Reply(code, 512);
  for (std::size_t i = first; i < first + 10; ++i) {
    reply = Patched(reply, 16 + 8 * (i - first), DoubleBytes(i < values.size() ? values[i] : 0.0));
  }
  return reply;
}

// A 0x2340 reply of `count` records from point `first`: value, x and point number.
Bytes ProfileReply(const Measurement& m, std::size_t first, std::int32_t count) {
  Bytes reply = Patched(Reply(0x2340, 320), 8, Le(static_cast<std::uint32_t>(count), 4));
  for (std::size_t k = 0; static_cast<std::int64_t>(k) < count; ++k) {
    const std::size_t point = first + k;
    reply = Patched(reply, 12 + 20 * k,
                    Joined({DoubleBytes(m.measured[point]),
                            DoubleBytes(static_cast<double>(point) * m.pitch), Le(point + 1, 4)}));
  }
  return reply;
}

TEST_F(SimTest, ReportsTheConditionsOfEachSet) {
  Config config;
  config.unit = 1;
  config.language = 3;
  config.evaluationFlag = 2;
  controller.SetConfig(config);
  // 124-187: the evaluation length, five motif lengths and the user values A and B.
  Bytes common = Reply(0x7001, 512);
  const double values[] = {4.0, 16.0, 0.64, 3.2, 16.0, 80.0, 0.3, 1.25};
  for (std::size_t i = 0; i < 8; ++i) common = Patched(common, 124 + 8 * i, DoubleBytes(values[i]));
  // 207 pitch code, 208 unit, 209 language, 210 evaluation flag.
  common[207] = 3;
  common[208] = 1;
  common[209] = 3;
  common[210] = 2;
  // 189 standard ISO 1997, 190 profile, 191 Gaussian, 193 lambda-s 2.5 um,
  // 194/195 cut-off 0.8 mm, 196 no lambda-f, 197 count, 198/199 motif limits.
  EXPECT_EQ(Exchange(Command(0x7001, 6, {0, 0})),
            Patched(common, 189, {3, 1, 2, 0, 2, 3, 3, 7, 5, 2, 2}));
  EXPECT_EQ(Exchange(Command(0x7001, 6, {0, 1})),
            Patched(common, 189, {3, 2, 2, 0, 2, 3, 3, 7, 0, 2, 2}));
}

TEST_F(SimTest, AnswersTheParameterRecordsOfEachSet) {
  // The names in the controller's character set: Greek letters in two bytes.
  const std::string names[] = {
      "Ra Rq Rz Rp Rv Rt Rc Rmax Rsk Rku RSm R\x83\xA2q R\x83\xC9q Rmr R\x83\xC2\x63 RPc",
      "Wa Wq Wz Wp Wv Wt Wc Wsk Wku WSm W\x83\xA2q Wmr W\x83\xC2\x63"};
  for (std::uint8_t set = 0; set < 2; ++set) {
    const std::vector<std::string>& texts = controller.measurement().sets[set].parameterTexts;
    const auto count = static_cast<std::uint8_t>(texts.size());
    EXPECT_EQ(Exchange(ParameterRequest(0, set, 0)), Patched(Reply(0x7003, 64), 10, {count, 0}));
    std::string shown;
    for (std::uint8_t i = 0; i < count; ++i) {
      EXPECT_EQ(Exchange(ParameterRequest(1, set, i)),
                Patched(Reply(0x7003, 12 + texts[i].size()), 12, Text(texts[i])));
      shown += (i == 0 ? "" : " ") + texts[i].substr(0, texts[i].find(' '));
    }
    EXPECT_EQ(shown, names[set]);
    // Past the last record: the header alone.
    EXPECT_EQ(Exchange(ParameterRequest(1, set, count)), Reply(0x7003, 12));
  }
}

TEST_F(SimTest, SendsEachValueSequenceTenValuesABlockWithItsOwnPlace) {
  Config config;
  config.evaluationTotal = 1234;
  config.graphTotals = {7, 23, 2345};
  controller.SetConfig(config);
  // Evaluation data and graphs of each set; the spectrum holds half the 4001 points.
  const struct {
    std::uint16_t code;
    std::uint8_t first;
    std::size_t total;
  } sequences[] = {{0x7004, 0, 1234}, {0x7005, 0, 7}, {0x7005, 1, 23}, {0x7005, 2, 2000}};
  const auto Values = [this](auto s, std::uint8_t set) -> const std::vector<double>& {
    const EvaluationSet& values = controller.measurement().sets[set];
    return s.code == 0x7004 ? values.evaluation : values.graphs[s.first];
  };
  // Each asked for its size, then in turn through one block past its end (zeros).
  for (std::size_t first = 0; first <= 2000; first += 10) {
    for (std::uint8_t set = 0; set < 2; ++set) {
      for (const auto& s : sequences) {
        if (first == 0) {
          EXPECT_EQ(Exchange(SizeRequest(s.code, s.first, set)),
                    Patched(Reply(s.code, 512), 12, Le(s.total, 4)));
          EXPECT_EQ(Values(s, set).size(), s.total);
        }
        if (first >= s.total + 10) continue;
        ASSERT_EQ(Exchange(BlockRequest(s.code, s.first, set)),
                  Block(s.code, Values(s, set), first))
            << s.code << ", type " << int{s.first} << ", set " << int{set} << ", from " << first;
      }
    }
  }
  // A size request starts one again.
  for (const auto& s : sequences) {
    Exchange(SizeRequest(s.code, s.first, 1));
    EXPECT_EQ(Exchange(BlockRequest(s.code, s.first, 1)), Block(s.code, Values(s, 1), 0));
  }
}

TEST_F(SimTest, SendsTheMeasuredProfileFifteenRecordsAReplyThenMinusOne) {
  const Measurement& m = controller.measurement();
  ASSERT_EQ(m.measured.size(), 4801u);  // 320 replies of 15 and one of 1
  for (std::size_t first = 0; first < 4801; first += 15) {
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(15, 4801 - first));
    ASSERT_EQ(Exchange(kProfileRequest), ProfileReply(m, first, count)) << first;
  }
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, -1));
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, 15));  // and again from the start
}

}  // namespace
}  // namespace kvsim::test
