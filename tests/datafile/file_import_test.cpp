// SPDX-License-Identifier: GPL-3.0-or-later
// Whole imports of stored measurements, from the simulator's CF card over its
// real socket and from files on the PC.
#include "datafile/data_file_import.h"

#include "datafile/controller_files.h"
#include "datafile/data_file_conversion.h"
#include "import_fixture.h"
#include "sim/cf_card.h"
#include "sim_fixture.h"

namespace kv {
namespace {

const char* const kFiles[] = {"Parameter.csv", "Evaluation.csv", "Condition.csv", "Graph_BAC.Csv",
                              "Graph_ADC.Csv"};

std::string ZeroGraph() {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += "0\r\n";
  return bytes;
}

std::string TestDataFile(const char* name) {
  return kvtest::ReadBytes(std::filesystem::path(KV_DATAFILE_DIR) / name);
}

class FileImportTest : public kvtest::ImportFixture {
 protected:
  FileImportTest() { EXPECT_EQ(link.Open(), 0); }

  // What the converters make of the whole file, and the zero graph files.
  std::vector<std::string> Expected(const std::string& bytes) {
    ImportStage expected;
    kvtest::RecordingView ignored;
    ConversionContext direct{settings, ignored, expected};
    EXPECT_EQ(ConvertDataFile(Lines(bytes), direct), kDataFileConverted);
    std::vector<std::string> contents;
    for (const char* name : kFiles) {
      contents.push_back(expected.Bytes(name) ? *expected.Bytes(name) : ZeroGraph());
    }
    return contents;
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> contents;
    for (const char* name : kFiles) contents.push_back(kvtest::ReadBytes(Work(name)));
    return contents;
  }
  void WriteEarlierResults() {
    for (const char* name : kFiles) kvtest::WriteBytes(Work(name), std::string("old ") + name);
  }

  kvtest::SimOverSocket sim;
  Link link{*sim.transport};
};

// Every default card file ends in a line feed: without its last byte it
// still converts whole, up to the last point of set B (a point short, set B
// could not be converted; a byte short, its last value would differ).
TEST_F(FileImportTest, BothRoutesWriteTheConvertedFilesAndZeroGraphs) {
  const std::vector<kvsim::CardFile>& card = kvsim::DefaultCardFiles();
  const ControllerFileList list = ListControllerFiles(link);
  ASSERT_EQ(list.entries.size(), card.size());
  settings.EvaluationSelection = 1;
  for (std::size_t i = 0; i < card.size(); ++i) {
    SCOPED_TRACE(card[i].name);
    const std::vector<std::string> expected = Expected(card[i].bytes);
    WriteEarlierResults();
    const ImportOutcome fromController =
        ImportControllerFile(link, context, files, settings.WorkFolder, list.entries[i]);
    EXPECT_TRUE(fromController.ok()) << fromController.message;
    EXPECT_EQ(Written(), expected);

    WriteEarlierResults();
    kvtest::WriteBytes(drive.path() / "Card" / card[i].name, card[i].bytes);
    const ImportOutcome fromPc =
        ImportPcFile(files, context, settings.WorkFolder, "C:\\Card\\" + card[i].name);
    EXPECT_TRUE(fromPc.ok()) << fromPc.message;
    EXPECT_EQ(Written(), expected);
  }
}

kvsim::CardFile File(const std::string& name, std::string bytes) {
  return {name, std::move(bytes)};
}

// Names of the card's files, `count` of them, all of them eight characters.
std::vector<kvsim::CardFile> ManyFiles(int count) {
  std::vector<kvsim::CardFile> card;
  for (int i = 0; i < count; ++i) {
    char name[24];
    std::snprintf(name, sizeof name, "KV%06d.TXT", i);
    card.push_back({name, "x\n"});
  }
  return card;
}

// "count: name name": the listing; a long one by its first and last names.
std::string Summary(const ControllerFileList& list) {
  std::string text = std::to_string(list.count) + ":";
  if (list.entries.size() > 3) {
    return text + " " + ControllerFileName(list.entries.front()) + " .. " +
           ControllerFileName(list.entries.back()) + " (" + std::to_string(list.entries.size()) +
           ")";
  }
  for (const std::string& entry : list.entries) text += " " + ControllerFileName(entry);
  return text;
}

TEST_F(FileImportTest, RefusedFilesLeaveEveryEarlierResultFile) {
  const std::string metric = TestDataFile("METRIC.TXT");
  std::string zeroFilled = metric;
  zeroFilled.replace(400, 400, std::string(400, '\0'));
  kvtest::WriteBytes(drive.path() / "Data" / "SPACE.TXT", " " + metric);
  kvtest::WriteBytes(drive.path() / "Data" / "LONG.TXT", "// Ver.\n" + std::string(70001, '\n'));
  std::filesystem::create_directories(drive.path() / "Data" / "FOLDER.TXT");
  struct CardOptions {
    std::string zeroSize{};
    std::optional<std::size_t> stopsAfter{};
  };
  struct Case {
    const char* what;
    std::vector<kvsim::CardFile> card;
    CardOptions options;
    std::string listed;  // Summary() of the listing
    std::string from;    // the list entry imported, or the PC file's path
    int message;
  };
  const std::string one = "KV000001.TXT  2024";
  const Case cases[] = {
      {"a card with no files", {}, {}, "0:", one, kFileNotFetched},
      {"more than 5,001 files",
       ManyFiles(5002),
       {},
       "5002: KV000000 .. KV005000 (5001)",
       "KV005001.TXT  x",
       kNoResultSection},
      {"names longer than eight characters",
       {File("LONGNAME01.TXT", metric), File("LONGNAME.TXT", "// Ver.\n")},
       {},
       "2: LONGNAME",
       "LONGNAME01.TXT  2024",
       kFileNotFetched},
      {"an entry without a space",
       {File("KV000001.TXT", metric), File("KV000002.DAT", metric), File("KV000003.TXT", metric)},
       {},
       "3: KV000001",
       "KV000002.DAT2024/05/17,10:30,19494",
       kNoFileName},
      {"a size of 0",
       {File("KV000001.TXT", metric), File("KV000002.TXT", metric)},
       {.zeroSize = "KV000001.TXT"},
       "2: KV000002",
       one,
       kFileNotFetched},
      {"a size larger than the line list can hold",
       {File("KV000001.TXT", std::string(kMaxControllerFileBytes + 1, 'x'))},
       {},
       "1: KV000001",
       one,
       kFileNotFetched},
      {"more lines than the line list holds",
       {File("KV000001.TXT", "// Ver.\n" + std::string(76001, '\n'))},
       {},
       "1: KV000001",
       one,
       kFileNotFetched},
      {"a fetch that stops half-way",
       {File("KV000001.TXT", metric)},
       {.stopsAfter = 2},
       "1: KV000001",
       one,
       kFileNotFetched},
      {"zero-filled blocks",
       {File("KV000001.TXT", zeroFilled)},
       {},
       "1: KV000001",
       one,
       kFileNotFetched},
      {"a card file that is no data file",
       {File("KV000001.TXT", "hello\n")},
       {},
       "1: KV000001",
       one,
       kNoResultSection},
      {"a PC file that is no data file", {}, {}, "0:", "C:\\Data\\SPACE.TXT", kNotADataFile},
      {"an unreadable PC file", {}, {}, "0:", "C:\\Data\\FOLDER.TXT", kNotADataFile},
      {"a PC file in a folder that vanished",
       {},
       {},
       "0:",
       "C:\\Gone\\KV000001.TXT",
       kNotADataFile},
      {"a PC file with more lines than the list holds",
       {},
       {},
       "0:",
       "C:\\Data\\LONG.TXT",
       kNotADataFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kvsim::Config config;
    config.cardFiles = c.card;
    config.cardZeroSize = c.options.zeroSize;
    config.cardStopsAfter = c.options.stopsAfter;
    sim.controller.SetConfig(std::move(config));
    EXPECT_EQ(Summary(ListControllerFiles(link)), c.listed);

    WriteEarlierResults();
    view.parameters = "untouched";
    const ImportOutcome outcome =
        c.from.starts_with("C:\\")
            ? ImportPcFile(files, context, settings.WorkFolder, c.from)
            : ImportControllerFile(link, context, files, settings.WorkFolder, c.from);
    EXPECT_EQ(outcome.message, c.message);
    for (const char* name : kFiles) {
      EXPECT_EQ(kvtest::ReadBytes(Work(name)), std::string("old ") + name) << name;
    }
    EXPECT_EQ(view.parameters, "untouched");
  }
}

TEST_F(FileImportTest, AFailedWriteIsReportedAndChangesNoFile) {
  kvtest::WriteBytes(drive.path() / "Data" / "METRIC.TXT", TestDataFile("METRIC.TXT"));
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
