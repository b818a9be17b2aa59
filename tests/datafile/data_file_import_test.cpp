// SPDX-License-Identifier: GPL-3.0-or-later
// The CF card listing and fetch against the simulator in this process, and
// whole imports of stored measurements from the card and from the PC: every
// result file staged, or none.
#include "datafile/data_file_import.h"

#include <sstream>
#include <tuple>
#include <utility>

#include "datafile/controller_files.h"
#include "datafile/data_file_conversion.h"
#include "frames.h"
#include "import_fixture.h"
#include "platform/transport/sim_transport.h"
#include "sim/cf_card.h"

namespace kv {
namespace {

using kvtest::Bytes;
using kvtest::Command;

// The listing's frames in one buffer: an entry frame carries the name of the
// last size frame, a size frame the index of the last entry frame.
Bytes Entry(std::uint8_t index, const std::string& carried) {
  return Command(0x7006, 4, {0, 1, index}, carried);
}
Bytes Size(std::uint8_t index, const std::string& name) {
  return Command(0x7007, 20, {0, 0, index}, name);
}

// A card whose files (names apart by spaces) all hold `bytes`.
kvsim::Config Card(const std::string& names, const std::string& bytes, kvsim::Config config = {}) {
  config.cardFiles.emplace();
  std::istringstream in(names);
  for (std::string name; in >> name;) config.cardFiles->push_back({name, bytes});
  return config;
}

class DataFileImportTest : public kvtest::ImportFixture {
 protected:
  DataFileImportTest() { EXPECT_EQ(link.Open(), 0); }

  // Opened again, the link has the simulator count its replies anew.
  void Configure(kvsim::Config config) {
    controller.SetConfig(std::move(config));
    EXPECT_EQ(link.Open(), 0);
  }
  // The frames sent since the last call.
  std::vector<Bytes> Sent() {
    std::vector<Bytes> all = controller.Requests();
    all.erase(all.begin(),
              all.begin() + static_cast<std::ptrdiff_t>(std::exchange(seen, all.size())));
    return all;
  }
  void ExpectRefused(const Status& status, StatusCode code) {
    EXPECT_EQ(status.code(), code) << status.description();
    EXPECT_TRUE(stage.empty());
    EXPECT_EQ(view.conditions[0], "untouched");
    EXPECT_TRUE(view.captions.empty());
  }

  kvsim::Controller controller;
  SimTransport transport{controller};
  Link link{transport};
  std::size_t seen = 0;
};

TEST_F(DataFileImportTest, TheCardIsListedAndFetchedWithTheFramesByteExact) {
  std::string numbered;  // every byte's place shows in the lines
  for (int i = 0; numbered.size() < 1400; ++i) numbered += "line " + std::to_string(i) + ";\r\n";
  const std::string bytes[] = {numbered.substr(0, 1000), numbered.substr(0, 400),
                               numbered.substr(0, 10), numbered.substr(0, 1400), "\n"};
  kvsim::Config config{.cardFiles = std::vector<kvsim::CardFile>(), .cardZeroSize = "KV000003.TXT"};
  for (int i = 0; i < 5; ++i) {
    config.cardFiles->push_back({"KV00000" + std::to_string(i + 1) + ".TXT", bytes[i]});
  }
  Configure(config);
  Sent();

  const Result<ControllerFileList> list = ListControllerFiles(link);
  ASSERT_TRUE(list.ok()) << list.status().description();
  EXPECT_EQ(list.value().count, 5);
  EXPECT_EQ(list.value().entries,
            (std::vector<std::string>{
                "KV000001.TXT  2024/05/17,10:30,1000", "KV000002.TXT  2024/05/17,10:30,400",
                "KV000004.TXT  2024/05/17,10:30,1400", "KV000005.TXT  2024/05/17,10:30,1"}));
  EXPECT_EQ(Sent(),
            (std::vector<Bytes>{Command(0x7006, 4, {0, 0}), Entry(0, ""), Size(0, "KV000001"),
                                Entry(1, "KV000001"), Size(1, "KV000002"), Entry(2, "KV000002"),
                                Size(2, "KV000003"), Entry(3, "KV000003"), Size(3, "KV000004"),
                                Entry(4, "KV000004"), Size(4, "KV000005")}));

  // The file, the block requests, the progress bar.
  const std::tuple<int, std::size_t, std::string> cases[] = {
      {0, 3, "show 3;0;1;2;hide"},  // 2.5 rounds to 2
      {1, 2, "show 2;0;1;hide"},
      {3, 5, "show 5;0;1;2;3;4;hide"},  // 3.5 rounds to 4
      {4, 1, "0;hide"},
  };
  for (const auto& [file, blocks, shown] : cases) {
    const std::string name = "KV00000" + std::to_string(file + 1);
    SCOPED_TRACE(name);
    kvtest::RecordingView progress;
    Result<DataLineList> lines = FetchControllerFile(link, progress, name);
    ASSERT_TRUE(lines.ok()) << lines.status().description();
    std::vector<Bytes> expected(blocks + 1, Command(0x7007, 32, {0, 1, 0x90, 0x01}, name));
    expected[0] = Size(0, name);  // new buffers: index 0
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(progress.progress, shown);
    const std::string& all = bytes[file];
    EXPECT_EQ(lines.value().DataLines,
              Lines(all.substr(0, all.size() - 1)).DataLines);  // all but the last byte
  }

  // The fifth block of 1,400 bytes lies past the end: it needs no answer.
  config.cardStopsAfter = 4;
  Configure(config);
  EXPECT_TRUE(FetchControllerFile(link, view, "KV000004").ok());
}

// Set B ends a data file, whose last byte (a line feed on the default card)
// the fetch leaves out: set B still converts whole, its last value unchanged.
// Set A of the last file has 50,001 points.
TEST_F(DataFileImportTest, BothRoutesStageTheConvertedFilesAndZeroGraphs) {
  const std::vector<kvsim::CardFile>& card = kvsim::DefaultCardFiles();
  const Result<ControllerFileList> list = ListControllerFiles(link);
  ASSERT_TRUE(list.ok()) << list.status().description();
  ASSERT_EQ(list.value().entries.size(), card.size());
  std::string zeros;
  for (int i = 0; i < 100; ++i) zeros += "0\r\n";
  auto staged = [&] {
    std::vector<std::string> files;
    for (const char* name : {"Parameter.csv", "Evaluation.csv", "Condition.csv"})
      files.push_back(Staged(name));
    return files;
  };
  for (std::size_t i = 0; i < card.size(); ++i) {
    SCOPED_TRACE(card[i].name);
    settings.EvaluationSelection = static_cast<std::int16_t>(i % 2);
    ASSERT_TRUE(ConvertDataFile(Lines(card[i].bytes), context).ok());
    const std::vector<std::string> converted = staged();
    kvtest::WriteBytes(drive.path() / "Card" / card[i].name, card[i].bytes);
    for (const bool fromPc : {false, true}) {
      const Status status = fromPc ? StagePcFile(files, context, "C:\\Card\\" + card[i].name)
                                   : StageControllerFile(link, context, list.value().entries[i]);
      EXPECT_TRUE(status.ok()) << status.description();
      EXPECT_EQ(staged(), converted);
      EXPECT_EQ(Staged("Graph_BAC.Csv") + Staged("Graph_ADC.Csv"), zeros + zeros);
    }
  }
}

// A link fault must never let the listing take an earlier reply's bytes, nor
// the fetch take zeros for content.
TEST_F(DataFileImportTest, CardFaultsAreRefusedAndStageNothing) {
  const std::string metric = kvtest::DataFile("METRIC.TXT");
  std::string zeroFilled = metric;
  zeroFilled.replace(400, 400, std::string(400, '\0'));
  std::string many;
  for (int i = 0; i < 5002; ++i) many += "KV" + std::to_string(100000 + i) + ".TXT ";
  const std::string unreadable = "The controller's file list could not be read: ";
  using enum StatusCode;
  using kvsim::Fault;
  const struct Case {
    const char* what;
    kvsim::Config card;
    std::string listed;  // reported/listed/the last listed, or why the listing failed
    StatusCode imported;
    StatusCode listing = kOk;
    std::string entry = "KV000001.TXT  2024";  // the list entry imported
  } cases[] = {
      {"more than 5,001 files", Card(many, "x\n"), "5002/5001/KV105000", kFileNotFetched},
      {"names longer than eight characters", Card("LONGNAME01.TXT LONGNAME.TXT", metric),
       "2/1/LONGNAME", kFileNotFetched, kOk, "LONGNAME01.TXT  2024"},
      {"an entry without a space", Card("KV000001.TXT KV000002.DAT KV000003.TXT", metric),
       "3/1/KV000001", kNoFileName, kOk, "KV000002.DAT2024/05/17,10:30,19494"},
      {"a size of 0", Card("KV000001.TXT KV000002.TXT", metric, {.cardZeroSize = "KV000001.TXT"}),
       "2/1/KV000002", kFileNotFetched},
      {"a size larger than the line list can hold",
       Card("KV000001.TXT", std::string(kMaxControllerFileBytes + 1, 'x')), "1/1/KV000001",
       kFileNotFetched},
      {"more lines than the line list holds",
       Card("KV000001.TXT", "// Ver.\n" + std::string(76001, '\n')), "1/1/KV000001",
       kFileNotFetched},
      {"a fetch that stops half-way", Card("KV000001.TXT", metric, {.cardStopsAfter = 2}),
       "1/1/KV000001", kFileNotFetched},
      {"zero-filled blocks", Card("KV000001.TXT", zeroFilled), "1/1/KV000001", kFileNotFetched},
      {"a card file that is no data file", Card("KV000001.TXT", "hello\n"), "1/1/KV000001",
       kNoResultSection},
      {"replies cut to 8 bytes", Card("KV000001.TXT", metric, {.fault = Fault::ShortAnswer}),
       unreadable + "The controller answered 8 of 12 bytes.", kFileNotFetched, kShortReply},
      {"replies cut to 100 bytes",
       Card("KV000001.TXT", metric, {.fault = Fault::ShortAnswer, .shortLength = 100}),
       "1/1/KV000001", kFileNotFetched},
      // The listing's size reply and the fetch's second block.
      {"the third reply empty", Card("KV000001.TXT", metric, {.zeroReplyAt = 3}),
       unreadable + "The controller did not answer.", kFileNotFetched, kNoReply},
      {"a link that closes after the first reply", Card("KV000001.TXT", metric, {.dropAfter = 1}),
       unreadable + "The link to the controller failed.", kFileNotFetched, kLinkFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Configure(c.card);
    const Result<ControllerFileList> list = ListControllerFiles(link);
    if (list.ok()) {
      const std::vector<std::string>& entries = list.value().entries;
      EXPECT_EQ(std::to_string(list.value().count) + "/" + std::to_string(entries.size()) + "/" +
                    (entries.empty() ? "" : ControllerFileName(entries.back())),
                c.listed);
    } else {
      EXPECT_EQ(list.status().description(), c.listed);
    }
    EXPECT_EQ(list.status().code(), c.listing);
    EXPECT_EQ(link.Open(), 0);  // the fetch's replies counted anew
    ExpectRefused(StageControllerFile(link, context, c.entry), c.imported);
  }
}

// A refused file stages nothing and changes no condition display; its text
// says why.
TEST_F(DataFileImportTest, BrokenPcFilesAreRefusedAndStageNothing) {
  const std::string metric = kvtest::DataFile("METRIC.TXT");
  const std::string data = "// A CalcData\n";
  const std::string point = "\n3.000;0.06120117226684575;";
  std::string results = "// A CalcResult\n";
  for (int i = 0; i < 52; ++i) results += "R" + std::to_string(i) + ";1;\xB5m;\n";
  using enum StatusCode;
  std::vector<std::tuple<std::string, std::string, StatusCode, std::string>> cases{
      {"a space before the first line", " " + metric, kNotADataFile,
       "\"C:\\Data\\BROKEN.TXT\" is no data file: its first line begins with neither \"// Ver.\" "
       "nor \"// Header\"."},
      {"truncated before the count", metric.substr(0, metric.find(data) + 14), kNoDataSection, ""},
  };
  // The file with its first `from` replaced by `to`.
  auto edited = [&](const std::string& from, const std::string& to, StatusCode code,
                    const std::string& text = "") {
    std::string bytes = metric;
    ASSERT_NE(bytes.find(from), std::string::npos) << from;
    cases.push_back(
        {from + " -> " + to, bytes.replace(bytes.find(from), from.size(), to), code, text});
  };
  // Markers match exactly.
  edited("// A CalcResult", "// A Calcresult", kNoResultSection,
         "The data file has no \"// A CalcResult\" line.");
  edited("// A CalcResult\n", results, kNoResultSection);  // more than 51 results
  edited(data, "// A Calc Data", kNoDataSection);
  edited(point, "\n3.000;0.06", kNoDataSection);  // fewer than two ";"
  edited(point, "\n3.000", kNoDataSection);
  // Counts that are no whole number, or more than the points that follow.
  for (const char* count : {"six", "321.5", "-1", "321 points", "322", "99999999999999999999"}) {
    edited("\n321\n", "\n" + std::string(count) + "\n", kNoDataSection);
  }
  for (const char* value : {"", " ", "abc", "1,5", "nan", "inf", "1e999", "+-6", "0x6"}) {
    edited(point, "\n3.000;" + std::string(value) + ";", kNoDataSection);
  }
  // Each key a profile needs: R the cut-off, W lambda-f, P the length, the
  // motifs their limits; all the count or length, filter, standard, lambda-s.
  for (const char* key : {"\nProfile;", "\nLc;", "\nN;", "\nFilter;", "\nStandard;", "\nLs;"}) {
    edited(key, "\n", kConditionsNotConverted);
  }
  for (const char* profile :
       {"Profile;W;", "Profile;P;", "Profile;R-Motif;", "Profile;W-Motif;\nA;0.1;mm;", "Profile;X;",
        "Profile; R;", "Profile;;"}) {
    edited("Profile;R;", profile, kConditionsNotConverted);  // unknown or with spaces: refused
  }
  // Keys are sought in the marker line and the 20 after it: "Filter;" at m + 21.
  edited("\nFilter;", std::string(18, '\n') + "Filter;", kConditionsNotConverted,
         "The condition section holds no \"Filter;\" in its first 21 lines.");
  for (const auto& [what, bytes, code, text] : cases) {
    SCOPED_TRACE(what);
    kvtest::WriteBytes(drive.path() / "Data" / "BROKEN.TXT", bytes);
    const Status status = StagePcFile(files, context, "C:\\Data\\BROKEN.TXT");
    ExpectRefused(status, code);
    if (!text.empty()) {
      EXPECT_EQ(status.description(), text);
    }
  }
}

}  // namespace
}  // namespace kv
