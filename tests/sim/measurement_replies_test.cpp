// SPDX-License-Identifier: GPL-3.0-or-later
// The replies that carry the measurement, seen through the controller's real
// loopback socket.
#include <string>

#include "socket_fixture.h"

namespace kvsim::test {
namespace {

Bytes ParameterRequest(std::uint8_t mode, std::uint8_t set, std::uint8_t index) {
  return Command(0x7003, 8, {mode, set, index});
}

// 0x7004 (first byte 0) or 0x7005 (first byte the graph type).
Bytes SizeRequest(std::uint16_t code, std::uint8_t first, std::uint8_t set) {
  return Command(code, 12, {first, set, 0, 0, 1});
}
Bytes BlockRequest(std::uint16_t code, std::uint8_t first, std::uint8_t set) {
  return Command(code, 12, {first, set, 1, 0, 10});
}

const Bytes kProfileRequest = Command(0x2340, 6, {10});

// A zero-filled reply of `length` bytes: the request's header with 2-3 = length - 4.
Bytes Reply(std::uint16_t code, std::size_t length) {
  const auto body = static_cast<std::uint16_t>(length - 4);
  return Padded({0xFF, 0x00, static_cast<std::uint8_t>(body), static_cast<std::uint8_t>(body >> 8),
                 0x20, 0x00, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code >> 8)},
                length);
}

Bytes Le32(std::int64_t value) {
  Bytes bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> 8 * i));
  return bytes;
}

// A block reply: values from `first` at 16 + 8k, 0.0 past the end.
Bytes Block(std::uint16_t code, const std::vector<double>& values, std::size_t first) {
  Bytes reply = Reply(code, 512);
  for (std::size_t k = 0; k < 10; ++k) {
    const std::size_t i = first + k;
    reply = Patched(reply, 16 + 8 * k, DoubleBytes(i < values.size() ? values[i] : 0.0));
  }
  return reply;
}

// A 0x2340 reply reporting `count` records from point `first`, cut at 320 bytes.
Bytes ProfileReply(const Measurement& m, std::size_t first, std::int64_t count) {
  Bytes reply = Patched(Reply(0x2340, 320), 8, Le32(count));
  for (std::size_t k = 0; k < static_cast<std::size_t>(std::max<std::int64_t>(count, 0)); ++k) {
    const std::size_t point = first + k;
    Bytes record = DoubleBytes(m.measured[point]);
    const Bytes x = DoubleBytes(static_cast<double>(point) * m.pitch);
    const Bytes number = Le32(static_cast<std::int64_t>(point) + 1);
    record.insert(record.end(), x.begin(), x.end());
    record.insert(record.end(), number.begin(), number.end());
    const std::size_t at = 12 + 20 * k;
    if (at >= reply.size()) break;
    record.resize(std::min<std::size_t>(20, reply.size() - at));
    reply = Patched(reply, at, record);
  }
  return reply;
}

TEST_F(SimTest, ReportsTheConditionsOfEachSet) {
  Config config;
  config.unit = 1;
  config.language = 3;
  config.evaluationFlag = 2;
  controller.SetConfig(config);
  Bytes common = Patched(Reply(0x7001, 512), 124, DoubleBytes(4.0));
  const double motifLengths[] = {16.0, 0.64, 3.2, 16.0, 80.0};
  for (std::size_t i = 0; i < 5; ++i) {
    common = Patched(common, 132 + 8 * i, DoubleBytes(motifLengths[i]));
  }
  common = Patched(Patched(common, 172, DoubleBytes(0.3)), 180, DoubleBytes(1.25));
  common = Patched(common, 207, {3, 1, 3, 2});
  // 189 standard ISO 1997, 190 profile, 191 Gaussian, 193 lambda-s 2.5 um,
  // 194/195 cut-off 0.8 mm, 196 no lambda-f, 197 count, 198/199 motif limits.
  EXPECT_EQ(Exchange(Command(0x7001, 6, {0, 0})),
            Patched(common, 189, {3, 1, 2, 0, 2, 3, 3, 7, 5, 2, 2}));
  EXPECT_EQ(Exchange(Command(0x7001, 6, {0, 1})),
            Patched(common, 189, {3, 2, 2, 0, 2, 3, 3, 7, 0, 2, 2}));
}

// A record text: name, space, value with fixed decimals, and the unit after a space.
struct Shown {
  std::string name;
  std::size_t decimals;
  std::string unit;  // empty: no unit, and no space after the value
};

void ExpectShown(const std::string& text, const Shown& shown) {
  SCOPED_TRACE(text);
  ASSERT_TRUE(text.starts_with(shown.name + ' '));
  const std::string rest = text.substr(shown.name.size() + 1);
  const std::size_t space = rest.find(' ');
  const std::string number = rest.substr(0, space);
  EXPECT_EQ(space == std::string::npos ? "" : rest.substr(space + 1), shown.unit);
  EXPECT_EQ(number.find_first_not_of("-0123456789."), std::string::npos);
  ASSERT_NE(number.find('.'), std::string::npos);
  EXPECT_EQ(number.size() - number.find('.') - 1, shown.decimals);
}

const std::string kDelta = "\x83\xA2";
const std::string kSmallDelta = "\x83\xC2";
const std::string kLambda = "\x83\xC9";

TEST_F(SimTest, AnswersTheParameterRecordsOfEachSet) {
  // clang-format off
  const std::vector<Shown> roughness = {
      {"Ra", 4, "um"}, {"Rq", 4, "um"}, {"Rz", 4, "um"}, {"Rp", 4, "um"}, {"Rv", 4, "um"},
      {"Rt", 4, "um"}, {"Rc", 4, "um"}, {"Rmax", 4, "um"}, {"Rsk", 3, ""}, {"Rku", 3, ""},
      {"RSm", 4, "mm"}, {"R" + kDelta + "q", 4, ""}, {"R" + kLambda + "q", 2, "um"},
      {"Rmr", 2, "%"}, {"R" + kSmallDelta + "c", 4, "um"}, {"RPc", 1, "/cm"}};
  const std::vector<Shown> roughnessInch = {
      {"Ra", 2, "uin"}, {"Rq", 2, "uin"}, {"Rz", 2, "uin"}, {"Rp", 2, "uin"}, {"Rv", 2, "uin"},
      {"Rt", 2, "uin"}, {"Rc", 2, "uin"}, {"Rmax", 2, "uin"}, {"Rsk", 3, ""}, {"Rku", 3, ""},
      {"RSm", 5, "in"}, {"R" + kDelta + "q", 4, ""}, {"R" + kLambda + "q", 1, "uin"},
      {"Rmr", 2, "%"}, {"R" + kSmallDelta + "c", 2, "uin"}, {"RPc", 1, "/in"}};
  const std::vector<Shown> waviness = {
      {"Wa", 4, "um"}, {"Wq", 4, "um"}, {"Wz", 4, "um"}, {"Wp", 4, "um"}, {"Wv", 4, "um"},
      {"Wt", 4, "um"}, {"Wc", 4, "um"}, {"Wsk", 3, ""}, {"Wku", 3, ""}, {"WSm", 4, "mm"},
      {"W" + kDelta + "q", 4, ""}, {"Wmr", 2, "%"}, {"W" + kSmallDelta + "c", 4, "um"}};
  // clang-format on
  const struct {
    std::uint8_t unit;
    std::uint8_t set;
    const std::vector<Shown>& records;
  } cases[] = {{0, 0, roughness}, {0, 1, waviness}, {1, 0, roughnessInch}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "unit " << int{c.unit} << ", set " << int{c.set});
    Config config;
    config.unit = c.unit;
    controller.SetConfig(config);
    const auto count = static_cast<std::uint8_t>(c.records.size());
    EXPECT_EQ(Exchange(ParameterRequest(0, c.set, 0)), Patched(Reply(0x7003, 64), 10, {count, 0}));
    const std::vector<std::string>& texts = controller.measurement().sets[c.set].parameterTexts;
    ASSERT_EQ(texts.size(), c.records.size());
    for (std::uint8_t i = 0; i < count; ++i) {
      const Bytes reply = Exchange(ParameterRequest(1, c.set, i));
      EXPECT_EQ(reply, Patched(Reply(0x7003, 12 + texts[i].size()), 12,
                               Bytes(texts[i].begin(), texts[i].end())));
      ExpectShown(texts[i], c.records[i]);
    }
    // Past the last record: the header alone.
    EXPECT_EQ(Exchange(ParameterRequest(1, c.set, count)), Reply(0x7003, 12));
  }
}

TEST_F(SimTest, SendsTheEvaluationDataTenValuesABlock) {
  Config config;
  config.evaluationTotal = 1234;
  controller.SetConfig(config);
  const std::vector<double>& a = controller.measurement().sets[0].evaluation;
  const std::vector<double>& b = controller.measurement().sets[1].evaluation;
  ASSERT_EQ(a.size(), 1234u);
  ASSERT_EQ(b.size(), 1234u);
  EXPECT_EQ(Exchange(SizeRequest(0x7004, 0, 0)), Patched(Reply(0x7004, 512), 12, Le32(1234)));
  for (std::size_t first = 0; first <= 1240; first += 10) {  // the last one past the end
    ASSERT_EQ(Exchange(BlockRequest(0x7004, 0, 0)), Block(0x7004, a, first)) << first;
  }
  // A size request starts again; each set keeps its own place.
  EXPECT_EQ(Exchange(SizeRequest(0x7004, 0, 0)), Patched(Reply(0x7004, 512), 12, Le32(1234)));
  EXPECT_EQ(Exchange(BlockRequest(0x7004, 0, 0)), Block(0x7004, a, 0));
  EXPECT_EQ(Exchange(SizeRequest(0x7004, 0, 1)), Patched(Reply(0x7004, 512), 12, Le32(1234)));
  EXPECT_EQ(Exchange(BlockRequest(0x7004, 0, 1)), Block(0x7004, b, 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7004, 0, 0)), Block(0x7004, a, 10));
  EXPECT_EQ(Exchange(BlockRequest(0x7004, 0, 1)), Block(0x7004, b, 10));
}

TEST_F(SimTest, SendsEachGraphWithItsOwnPlace) {
  Config config;
  config.graphTotals = {7, 23, 2345};
  controller.SetConfig(config);
  const auto& graphs = controller.measurement().sets[0].graphs;
  const std::int64_t totals[] = {7, 23,
                                 2000};  // the spectrum reaches half the 4001 evaluated points
  for (std::uint8_t set = 0; set < 2; ++set) {
    for (std::uint8_t type = 0; type < 3; ++type) {
      EXPECT_EQ(Exchange(SizeRequest(0x7005, type, set)),
                Patched(Reply(0x7005, 512), 12, Le32(totals[type])));
    }
  }
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 1, 0)), Block(0x7005, graphs[1], 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 0, 0)), Block(0x7005, graphs[0], 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 1, 0)), Block(0x7005, graphs[1], 10));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 1, 1)),
            Block(0x7005, controller.measurement().sets[1].graphs[1], 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 0, 0)), Block(0x7005, graphs[0], 10));  // zeros
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 2, 0)), Block(0x7005, graphs[2], 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 1, 0)), Block(0x7005, graphs[1], 20));
  Exchange(SizeRequest(0x7005, 1, 0));
  EXPECT_EQ(Exchange(BlockRequest(0x7005, 1, 0)), Block(0x7005, graphs[1], 0));
}

TEST_F(SimTest, SendsTheMeasuredProfileFifteenRecordsAReplyThenMinusOne) {
  const Measurement& m = controller.measurement();
  const std::size_t points = m.measured.size();
  ASSERT_EQ(points, 4801u);
  std::size_t first = 0;
  for (std::size_t replies = 0; first < points; ++replies) {
    ASSERT_LT(replies, 321u);  // 320 of 15 and one of 1
    const auto count = static_cast<std::int64_t>(std::min<std::size_t>(15, points - first));
    ASSERT_EQ(Exchange(kProfileRequest), ProfileReply(m, first, count)) << first;
    first += static_cast<std::size_t>(count);
  }
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, -1));
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, 15));  // and again from the start
}

TEST_F(SimTest, ReportsTheConfiguredRecordCountEvenWhenItDoesNotFit) {
  for (const std::int64_t records : {16, 17, 0}) {
    SCOPED_TRACE(records);
    Config config;
    config.points = 40;
    config.recordsPerReply = static_cast<std::size_t>(records);
    controller.SetConfig(config);
    const Measurement& m = controller.measurement();
    EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, records));
    EXPECT_EQ(Exchange(kProfileRequest),
              ProfileReply(m, static_cast<std::size_t>(records), records));
  }
}

TEST_F(SimTest, FallsSilentOnTheProfileAfterTheConfiguredReplies) {
  Config config;
  config.points = 16;
  config.profileStopsAfter = 3;
  controller.SetConfig(config);
  const Measurement& m = controller.measurement();
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, 15));
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 15, 1));
  EXPECT_EQ(Exchange(kProfileRequest), ProfileReply(m, 0, -1));
  EXPECT_EQ(Exchange(kProfileRequest), Bytes{});
  EXPECT_EQ(Exchange(kProfileRequest), Bytes{});
  EXPECT_EQ(Exchange(kStatusRequest).size(), 64u);  // the rest still answers
}

TEST_F(SimTest, GivesNoReplyToMalformedMeasurementRequests) {
  const auto With = [](Bytes frame, std::size_t at, std::uint8_t value) {
    frame[at] = value;
    return frame;
  };
  const Bytes count = ParameterRequest(0, 0, 0);
  const Bytes record = ParameterRequest(1, 1, 3);
  const Bytes size = SizeRequest(0x7004, 0, 0);
  const Bytes block = BlockRequest(0x7004, 0, 1);
  const Bytes graph = BlockRequest(0x7005, 2, 1);
  const struct {
    const char* name;
    Bytes request;
    bool answered;
  } cases[] = {
      {"count", count, true},
      {"record", record, true},
      {"size", size, true},
      {"block", block, true},
      {"graph block", graph, true},
      {"profile", kProfileRequest, true},
      {"parameter body length 6", With(count, 2, 6), false},
      {"parameter mode 2", With(count, 8, 2), false},
      {"parameter set 2", With(count, 9, 2), false},
      {"count request with an index", With(count, 10, 1), false},
      {"parameter byte 11", With(record, 11, 1), false},
      {"parameter byte 12", With(record, 12, 1), false},
      {"evaluation byte 8", With(size, 8, 1), false},
      {"evaluation set 2", With(size, 9, 2), false},
      {"evaluation byte 10 is 2", With(size, 10, 2), false},
      {"size request asking for 10", With(size, 12, 10), false},
      {"block request asking for 1", With(block, 12, 1), false},
      {"evaluation byte 16", With(block, 16, 1), false},
      {"evaluation body length 8", With(block, 2, 8), false},
      {"graph type 3", With(graph, 8, 3), false},
      {"graph byte 11", With(graph, 11, 1), false},
      {"profile asking for 9", With(kProfileRequest, 8, 9), false},
      {"profile body length 8", With(kProfileRequest, 2, 8), false},
      {"profile byte 12", With(kProfileRequest, 12, 1), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(c.request).empty(), !c.answered);
  }
}

}  // namespace
}  // namespace kvsim::test
