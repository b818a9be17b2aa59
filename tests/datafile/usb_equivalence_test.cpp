// SPDX-License-Identifier: GPL-3.0-or-later
// One measurement two ways: read over USB from the simulator, and converted
// from the data file the controller stores for it.
#include <cstdlib>

#include "datafile/data_file_conversion.h"
#include "import_fixture.h"
#include "link/link.h"
#include "results/block_reader.h"
#include "results/conditions_reader.h"
#include "results/number_text.h"
#include "results/parameters_reader.h"
#include "sim/data_file_writer.h"
#include "sim_fixture.h"

namespace kv {
namespace {

std::vector<std::string> CsvLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The controller path pads the name to seven characters and keeps the space
// between value and unit; the data file gives the name five spaces and none.
std::string AsFromDataFile(const std::string& usbLine) {
  const std::size_t space = usbLine.find(' ');
  std::string rest = usbLine.substr(usbLine.find_first_not_of(' ', space));
  if (std::size_t unit = rest.find(' '); unit != std::string::npos) rest.erase(unit, 1);
  return usbLine.substr(0, space) + "     " + rest;
}

class UsbEquivalenceTest : public kvtest::ImportFixture {
 protected:
  struct Read {
    std::string parameters, evaluation, conditions;
    kvtest::RecordingView view;
  };

  // The read-all's readers of firmware 1103, in its order.
  Read OverUsb(kvtest::SimOverSocket& sim, bool inch, std::int16_t set, std::int16_t language) {
    Link link(*sim.transport);
    EXPECT_EQ(link.Open(), 0);
    ProcessSettings usb;
    usb.WorkFolder = "C:\\USB\\";
    usb.VersionNumber = 1103;
    usb.UnitSetting = inch ? 1 : 0;
    usb.EvaluationSelection = set;
    usb.LanguageIndex = language;
    std::filesystem::create_directories(drive.path() / "USB");
    Read read;
    std::int32_t blocks = 0;
    ReaderContext reader{link, usb, files, read.view, blocks};
    EXPECT_TRUE(ReadParameters(reader).ok());
    EXPECT_TRUE((inch ? ReadConditionsInch(reader) : ReadConditionsMetric(reader)).ok());
    EXPECT_TRUE(ReadEvaluationData(reader).ok());
    read.parameters = kvtest::ReadBytes(drive.path() / "USB" / "Parameter.csv");
    read.evaluation = kvtest::ReadBytes(drive.path() / "USB" / "Evaluation.csv");
    read.conditions = kvtest::ReadBytes(drive.path() / "USB" / "Condition.csv");
    return read;
  }

  Read FromDataFile(const std::string& bytes, std::int16_t set, std::int16_t language) {
    settings.EvaluationSelection = set;
    settings.LanguageIndex = language;
    view = kvtest::RecordingView();
    stage.Clear();
    EXPECT_EQ(ConvertDataFile(Lines(bytes), context), kDataFileConverted);
    EXPECT_TRUE(stage.Commit(files, settings.WorkFolder).ok());
    return {kvtest::ReadBytes(Work("Parameter.csv")), kvtest::ReadBytes(Work("Evaluation.csv")),
            kvtest::ReadBytes(Work("Condition.csv")), view};
  }
};

TEST_F(UsbEquivalenceTest, FilesDifferOnlyWhereTheDataFileWritesItsOwnTexts) {
  struct Case {
    bool inch;
    std::int16_t set;
    std::int16_t language;
    std::string usbConditions;
    std::string fileConditions;
    std::string usbCount, fileCount;  // Text5 3
  } cases[] = {
      {false, 0, 1,
       "CUT 0.08mm\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  2.5um\r\nSTP 1.00\r\n"
       "UNT 1\r\nLNG E\r\n",
       "CUT 0.08mm\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\nSTP 1\r\n"
       "UNT 1\r\nLNG E\r\n",
       "4", "4"},
      {false, 1, 0,
       "CUT 0.08mm-NONE\r\nL  .32mm\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  2.5um\r\n"
       "STP 1.00\r\nUNT 1\r\nLNG J\r\n",
       "CUT 0.08mm-NONE\r\nL 0.32mm\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 2.5um\r\n"
       "STP 1\r\nUNT 1\r\nLNG J\r\n",
       " .32mm", "0.32mm"},
      {true, 0, 1,
       "CUT 0.003in\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  100uin\r\nSTP 40.0\r\n"
       "UNT 2\r\nLNG E\r\n",
       "CUT 0.003in\r\nN 4\r\nCUV R\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 100uin\r\nSTP 40.0\r\n"
       "UNT 2\r\nLNG E\r\n",
       "4", "4"},
      {true, 1, 0,
       "CUT 0.003in-NONE\r\nL 0.013in\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS  100uin\r\n"
       "STP 40.0\r\nUNT 2\r\nLNG E\r\n",
       "CUT 0.003in-NONE\r\nL 0.013in\r\nCUV W\r\nFIL GAUSS\r\nSTD ISO 1997\r\nLS 100uin\r\n"
       "STP 40.0\r\nUNT 2\r\nLNG J\r\n",
       "0.013in", "0.013in"},
  };
  for (const auto& c : cases) {
    const std::string what = std::string(c.inch ? "inch" : "metric") + " set " + "AB"[c.set];
    kvsim::Config config;
    config.points = 401;
    config.cutoffCode = 1;
    config.unit = c.inch ? 1 : 0;
    kvtest::SimOverSocket sim(config);
    const Read usb = OverUsb(sim, c.inch, c.set, c.language);
    const Read file = FromDataFile(
        kvsim::DataFileBytes(sim.controller.measurement(), {.inch = c.inch}), c.set, c.language);

    std::vector<std::string> usbParameters = CsvLines(usb.parameters);
    ASSERT_GT(usbParameters.size(), 10u) << what;
    for (auto& line : usbParameters) line = AsFromDataFile(line);
    EXPECT_EQ(CsvLines(file.parameters), usbParameters) << what;
    EXPECT_EQ(file.view.parameters, file.parameters + "\r\n") << what;
    EXPECT_EQ(usb.view.parameters, usb.parameters + "\r\n") << what;

    if (c.inch) {
      EXPECT_EQ(file.evaluation, usb.evaluation) << what;
    } else {  // the value texts as the file writes them, the same values
      std::vector<std::string> fileValues = CsvLines(file.evaluation);
      ASSERT_EQ(fileValues.size(), 321u) << what;
      for (auto& value : fileValues) value = GeneralNumberText(std::strtod(value.c_str(), nullptr));
      EXPECT_EQ(fileValues, CsvLines(usb.evaluation)) << what;
    }

    EXPECT_EQ(usb.conditions, c.usbConditions) << what;
    EXPECT_EQ(file.conditions, c.fileConditions) << what;
    EXPECT_EQ(usb.view.conditions[3], c.usbCount) << what;
    EXPECT_EQ(file.view.conditions[3], c.fileCount) << what;
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(file.view.conditions[i], usb.view.conditions[i]) << what;
    EXPECT_EQ(file.view.captions, usb.view.captions) << what;
  }
}

}  // namespace
}  // namespace kv
