// SPDX-License-Identifier: GPL-3.0-or-later
// The CF card listing and fetch, and whole imports of stored measurements,
// from the simulator's CF card over its real socket and from files on the
// PC: all result files or none.
#include "datafile/data_file_import.h"

#include <sstream>
#include <tuple>

#include "datafile/controller_files.h"
#include "datafile/data_file_conversion.h"
#include "import_fixture.h"
#include "sim/cf_card.h"
#include "sim_fixture.h"

namespace kv {
namespace {

const char* const kFiles[] = {"Parameter.csv", "Evaluation.csv", "Condition.csv", "Graph_BAC.Csv",
                              "Graph_ADC.Csv"};

using Frame = std::vector<std::uint8_t>;

// A frame as the listing and the fetch must send it: 64 bytes, body length,
// command, `parameters` from byte 8 and `name` from byte 12.
Frame CardFrame(std::uint16_t code, std::uint8_t body, Frame parameters, const std::string& name) {
  Frame frame(64, 0);
  frame[0] = 0xFF;
  frame[2] = body;
  frame[4] = 0x20;
  frame[6] = static_cast<std::uint8_t>(code);
  frame[7] = static_cast<std::uint8_t>(code >> 8);
  std::copy(parameters.begin(), parameters.end(), frame.begin() + 8);
  std::copy(name.begin(), name.end(), frame.begin() + 12);
  return frame;
}
Frame Entry(std::uint8_t index, const std::string& carried) {
  return CardFrame(0x7006, 4, {0, 1, index}, carried);
}
Frame Size(std::uint8_t index, const std::string& name) {
  return CardFrame(0x7007, 20, {0, 0, index}, name);
}

// Numbered lines, so that every byte's place shows in the lines.
std::string NumberedLines(std::size_t bytes) {
  std::string text;
  for (int i = 0; text.size() < bytes; ++i) text += "line " + std::to_string(i) + ";\r\n";
  return text.substr(0, bytes);
}

class DataFileImportTest : public kvtest::ImportFixture {
 protected:
  DataFileImportTest() { EXPECT_EQ(link.Open(), 0); }

  void WriteEarlierResults() {
    for (const char* name : kFiles) kvtest::WriteBytes(Work(name), std::string("old ") + name);
  }
  void ExpectRefused(const ImportOutcome& outcome, int message) {
    EXPECT_EQ(outcome.message, message);
    for (const char* name : kFiles) {
      EXPECT_EQ(kvtest::ReadBytes(Work(name)), std::string("old ") + name) << name;
    }
  }

  kvtest::SimOverSocket sim;
  Link link{*sim.transport};
};

TEST_F(DataFileImportTest, TheCardIsListedAndFetchedWithTheFramesByteExact) {
  kvsim::Config config;
  config.cardFiles = {{"KV000001.TXT", NumberedLines(1000)},
                      {"KV000002.TXT", NumberedLines(400)},
                      {"KV000003.TXT", NumberedLines(10)},
                      {"KV000004.TXT", NumberedLines(1400)},
                      {"KV000005.TXT", "\n"}};
  config.cardZeroSize = "KV000003.TXT";
  sim.controller.SetConfig(config);
  std::size_t seen = sim.controller.Requests().size();
  auto sent = [&] {  // the frames sent since the last call
    std::vector<Frame> all = sim.controller.Requests();
    std::vector<Frame> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
    seen = all.size();
    return fresh;
  };

  const ControllerFileList list = ListControllerFiles(link);
  EXPECT_EQ(list.count, 5);
  EXPECT_EQ(list.entries,
            (std::vector<std::string>{
                "KV000001.TXT  2024/05/17,10:30,1000", "KV000002.TXT  2024/05/17,10:30,400",
                "KV000004.TXT  2024/05/17,10:30,1400", "KV000005.TXT  2024/05/17,10:30,1"}));
  // One buffer: size frames keep the entry index, entry frames the last name.
  EXPECT_EQ(sent(),
            (std::vector<Frame>{CardFrame(0x7006, 4, {0, 0}, ""), Entry(0, ""), Size(0, "KV000001"),
                                Entry(1, "KV000001"), Size(1, "KV000002"), Entry(2, "KV000002"),
                                Size(2, "KV000003"), Entry(3, "KV000003"), Size(3, "KV000004"),
                                Entry(4, "KV000004"), Size(4, "KV000005")}));

  const struct {
    const char* name;
    std::string bytes;
    int blocks;
    std::string progress;
  } cases[] = {
      {"KV000001", NumberedLines(1000), 3, "show 3;0;1;2;hide"},  // 2.5 rounds to 2
      {"KV000002", NumberedLines(400), 2, "show 2;0;1;hide"},
      {"KV000004", NumberedLines(1400), 5, "show 5;0;1;2;3;4;hide"},  // 3.5 rounds to 4
      {"KV000005", "\n", 1, "0;hide"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kvtest::RecordingView view;
    DataLineList lines;
    EXPECT_EQ(FetchControllerFile(link, view, c.name, lines),
              static_cast<std::int32_t>(c.bytes.size()));
    std::vector<Frame> expected{Size(0, c.name)};  // new buffers: index 0
    expected.insert(expected.end(), static_cast<std::size_t>(c.blocks),
                    CardFrame(0x7007, 32, {0, 1, 0x90, 0x01}, c.name));
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(view.progress, c.progress);
    // Every byte but the last.
    const DataLineList whole =
        DataLinesFromBytes(c.bytes.substr(0, c.bytes.size() - 1), kControllerFileLines).value();
    EXPECT_EQ(lines.DataLines, whole.DataLines);
    EXPECT_EQ(lines.LineCount, whole.LineCount);
  }

  // The fifth block of 1,400 bytes lies past the end: it needs no answer.
  config.cardStopsAfter = 4;
  sim.controller.SetConfig(config);
  kvtest::RecordingView view;
  DataLineList lines;
  EXPECT_EQ(FetchControllerFile(link, view, "KV000004", lines), 1400);
}

// Set B ends a data file, whose last byte (a line feed on the default card)
// the fetch leaves out: set B still converts whole, its last value unchanged.
// Set A of the last file has 50,001 points.
TEST_F(DataFileImportTest, BothRoutesWriteTheConvertedFilesAndZeroGraphs) {
  const std::vector<kvsim::CardFile>& card = kvsim::DefaultCardFiles();
  const ControllerFileList list = ListControllerFiles(link);
  ASSERT_EQ(list.entries.size(), card.size());
  std::string zeros;
  for (int i = 0; i < 100; ++i) zeros += "0\r\n";
  for (std::size_t i = 0; i < card.size(); ++i) {
    SCOPED_TRACE(card[i].name);
    settings.EvaluationSelection = static_cast<std::int16_t>(i % 2);
    stage.Clear();
    ASSERT_EQ(ConvertDataFile(Lines(card[i].bytes), context), kDataFileConverted);
    std::vector<std::string> expected;
    for (const char* name : kFiles) expected.push_back(stage.Bytes(name) ? Staged(name) : zeros);
    kvtest::WriteBytes(drive.path() / "Card" / card[i].name, card[i].bytes);
    for (const bool fromPc : {false, true}) {
      WriteEarlierResults();
      const ImportOutcome outcome =
          fromPc ? ImportPcFile(files, context, settings.WorkFolder, "C:\\Card\\" + card[i].name)
                 : ImportControllerFile(link, context, files, settings.WorkFolder, list.entries[i]);
      EXPECT_TRUE(outcome.ok()) << outcome.message;
      std::vector<std::string> written;
      for (const char* name : kFiles) written.push_back(kvtest::ReadBytes(Work(name)));
      EXPECT_EQ(written, expected);
    }
  }
}

TEST_F(DataFileImportTest, CardFaultsLeaveEveryEarlierResultFile) {
  const std::string metric = kvtest::DataFile("METRIC.TXT");
  std::string zeroFilled = metric;
  zeroFilled.replace(400, 400, std::string(400, '\0'));
  std::string many;
  for (int i = 0; i < 5002; ++i) many += "KV" + std::to_string(100000 + i) + ".TXT ";
  struct Case {
    const char* what;
    std::string bytes;  // of every file on the card
    int message;
    std::string listed = "1/1/KV000001";  // reported, listed, the last listed
    std::string names = "KV000001.TXT";
    std::string zeroSize{};
    std::optional<std::size_t> stopsAfter{};
    std::string entry = "KV000001.TXT  2024";  // the list entry imported
  } cases[] = {
      {"more than 5,001 files", "x\n", kFileNotFetched, "5002/5001/KV105000", many},
      {"names longer than eight characters", metric, kFileNotFetched, "2/1/LONGNAME",
       "LONGNAME01.TXT LONGNAME.TXT", "", std::nullopt, "LONGNAME01.TXT  2024"},
      {"an entry without a space", metric, kNoFileName, "3/1/KV000001",
       "KV000001.TXT KV000002.DAT KV000003.TXT", "", std::nullopt,
       "KV000002.DAT2024/05/17,10:30,19494"},
      {"a size of 0", metric, kFileNotFetched, "2/1/KV000002", "KV000001.TXT KV000002.TXT",
       "KV000001.TXT"},
      {"a size larger than the line list can hold", std::string(kMaxControllerFileBytes + 1, 'x'),
       kFileNotFetched},
      {"more lines than the line list holds", "// Ver.\n" + std::string(76001, '\n'),
       kFileNotFetched},
      {"a fetch that stops half-way", metric, kFileNotFetched, "1/1/KV000001", "KV000001.TXT", "",
       2},
      {"zero-filled blocks", zeroFilled, kFileNotFetched},
      {"a card file that is no data file", "hello\n", kNoResultSection},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kvsim::Config config;
    config.cardFiles.emplace();
    std::istringstream names(c.names);
    for (std::string name; names >> name;) config.cardFiles->push_back({name, c.bytes});
    config.cardZeroSize = c.zeroSize;
    config.cardStopsAfter = c.stopsAfter;
    sim.controller.SetConfig(std::move(config));
    const ControllerFileList list = ListControllerFiles(link);
    const std::string last = list.entries.empty() ? "" : ControllerFileName(list.entries.back());
    EXPECT_EQ(std::to_string(list.count) + "/" + std::to_string(list.entries.size()) + "/" + last,
              c.listed);
    WriteEarlierResults();
    ExpectRefused(ImportControllerFile(link, context, files, settings.WorkFolder, c.entry),
                  c.message);
    EXPECT_EQ(view.parameters, "untouched");
  }
}

// A refused file changes no result file and no condition display: nothing
// it converts before the refusal reaches the working folder or the window.
TEST_F(DataFileImportTest, BrokenPcFilesLeaveEveryEarlierResultFile) {
  const std::string metric = kvtest::DataFile("METRIC.TXT");
  const std::string data = "// A CalcData\n";
  const std::string point = "\n3.000;0.06120117226684575;";
  std::string results = "// A CalcResult\n";
  for (int i = 0; i < 52; ++i) results += "R" + std::to_string(i) + ";1;\xB5m;\n";
  std::string loneCr = metric;
  std::replace(loneCr.begin(), loneCr.end(), '\n', '\r');
  std::vector<std::tuple<std::string, std::string, int>> cases{
      {"a space before the first line", " " + metric, kNotADataFile},
      {"more lines than the list holds", "// Ver.\n" + std::string(70001, '\n'), kNotADataFile},
      {"lone CR line ends", loneCr, kNoDataSection},
      {"truncated in the results", metric.substr(0, metric.find("Rku")), kNoDataSection},
      {"truncated before the count", metric.substr(0, metric.find(data) + 14), kNoDataSection},
      {"truncated in the data", metric.substr(0, metric.find(data) + 200), kNoDataSection},
  };
  // The file with its first `from` replaced by `to`.
  auto edited = [&](const std::string& from, const std::string& to, int message) {
    std::string bytes = metric;
    ASSERT_NE(bytes.find(from), std::string::npos) << from;
    cases.push_back(
        {from + " -> " + to, bytes.replace(bytes.find(from), from.size(), to), message});
  };
  edited("// A CalcResult", "// A Calcresult", kNoResultSection);  // markers match exactly
  edited("// A CalcResult\n", results, kNoResultSection);          // more than 51 results
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
  for (const auto& [what, bytes, message] : cases) {
    SCOPED_TRACE(what);
    kvtest::WriteBytes(drive.path() / "Data" / "BROKEN.TXT", bytes);
    WriteEarlierResults();
    ExpectRefused(ImportPcFile(files, context, settings.WorkFolder, "C:\\Data\\BROKEN.TXT"),
                  message);
    EXPECT_EQ(view.conditions[0], "untouched");
    EXPECT_TRUE(view.captions.empty());
  }
}

TEST_F(DataFileImportTest, AFailedWriteIsReportedAndChangesNoFile) {
  kvtest::WriteBytes(drive.path() / "Data" / "METRIC.TXT", kvtest::DataFile("METRIC.TXT"));
  WriteEarlierResults();
  std::filesystem::remove(Work("Graph_ADC.Csv"));
  std::filesystem::create_directories(Work("Graph_ADC.Csv"));  // cannot be replaced
  const ImportOutcome outcome =
      ImportPcFile(files, context, settings.WorkFolder, "C:\\Data\\METRIC.TXT");
  EXPECT_EQ(outcome.message, 0);
  EXPECT_FALSE(outcome.status.ok());
  for (const char* name : {"Parameter.csv", "Evaluation.csv", "Condition.csv", "Graph_BAC.Csv"}) {
    EXPECT_EQ(kvtest::ReadBytes(Work(name)), std::string("old ") + name) << name;
  }
}

}  // namespace
}  // namespace kv
