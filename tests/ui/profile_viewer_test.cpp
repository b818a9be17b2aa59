// SPDX-License-Identifier: GPL-3.0-or-later
// The profile viewer (offscreen) over a measurement read from the simulator.
#include <QComboBox>
#include <QTableWidget>
#include <algorithm>

#include "certificate/qt/certificate_graph.h"
#include "ui/profile_viewer.h"
#include "ui/window_fixture.h"

namespace kv {
namespace {

using ProfileViewerTest = WindowFixture;

std::vector<std::string> CurveTitles(ProfileViewer& viewer) {
  std::vector<std::string> titles;
  for (int i = 0; i < viewer.curveChoice().count(); ++i) {
    titles.push_back(viewer.curveChoice().itemText(i).toStdString());
  }
  return titles;
}

TEST_F(ProfileViewerTest, ShowsWhatWasReadBesideTheParameterCheck) {
  ASSERT_EQ(Start(), StartupOutcome::kConnected);
  ProfileViewer& viewer = window->ShowProfileViewer();
  EXPECT_TRUE(CurveTitles(viewer).empty());  // nothing read yet
  ASSERT_TRUE(window->Read_All_Data_Click().ok());
  ASSERT_TRUE(window->C2340_Click().ok());
  window->ShowProfileViewer();  // reads the files again
  EXPECT_EQ(CurveTitles(viewer),
            (std::vector<std::string>{"Measured profile", "Roughness profile", "Bearing area curve",
                                      "Amplitude distribution curve"}));
  const std::string measured = kvtest::ReadBytes(Work("Measured.csv"));
  const auto& values = viewer.plot().curve().values;
  ASSERT_EQ(values.size(),
            static_cast<std::size_t>(std::count(measured.begin(), measured.end(), '\n')));
  EXPECT_NEAR(values[0], std::stod(measured), 1e-9);  // µm as the controller sent them
  EXPECT_GE(viewer.parameterTable().rowCount(), 12);
  EXPECT_EQ(viewer.parameterTable().item(0, 0)->text(), "Ra");

  EXPECT_TRUE(viewer.ExportX3pTo(drive.path() / "profile.x3p").ok());
  const Status refused = viewer.ExportX3pTo(drive.path() / "no folder" / "profile.x3p");
  EXPECT_NE(refused.description().find("profile.x3p"), std::string::npos) << refused.description();
}

TEST(ProfilePlotTest, ZoomKeepsThePointerPanStopsAtTheEnds) {
  ProfilePlot plot;
  PlotCurve ramp{"ramp", "x", "z", "mm", "µm", std::vector<double>(1001), 0, 0.5};
  for (std::size_t i = 0; i < ramp.values.size(); ++i) ramp.values[i] = double(i);
  plot.SetCurve(ramp);
  plot.resize(800, 400);
  const double x = 500;
  const QString under = plot.PositionAt(x);
  plot.ZoomAt(x, 0.5);
  EXPECT_EQ(plot.last() - plot.first(), 500u);
  EXPECT_EQ(plot.PositionAt(x), under);
  for (int i = 0; i < 40; ++i) plot.ZoomAt(x, 0.5);
  EXPECT_EQ(plot.last() - plot.first(), 10u);  // the deepest zoom
  plot.PanBy(1e9);                             // far to the right: the start stays in view
  EXPECT_EQ(plot.first(), 0u);
  plot.PanBy(-1e9);
  EXPECT_EQ(plot.last(), 1000u);
  EXPECT_EQ(plot.PositionAt(-10).toStdString(), "");  // left of the plot
  plot.ShowAll();
  EXPECT_EQ(plot.PositionAt(plot.width() - 2).toStdString(), "");  // right of the plot
  EXPECT_TRUE(plot.PositionAt(x).startsWith("x = ")) << plot.PositionAt(x).toStdString();
}

// Every spike of a 50,001-point profile survives on any width.
TEST(ProfilePlotTest, NoPeakIsDropped) {
  for (std::size_t at : {std::size_t{0}, std::size_t{12345}, std::size_t{50000}}) {
    for (double spike : {7.0, -7.0}) {
      std::vector<double> values(50001, 0.0);
      values[at] = spike;
      for (int columns : {1, 333, 700, 1920}) {
        const auto points = DecimateMinMax(values, columns);
        const bool kept = std::any_of(points.begin(), points.end(),
                                      [&](const CurvePoint& p) { return p.value == spike; });
        EXPECT_TRUE(kept) << at << " " << spike << " " << columns;
      }
    }
  }
}

}  // namespace
}  // namespace kv
