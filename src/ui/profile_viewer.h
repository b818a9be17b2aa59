// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <filesystem>
#include <vector>

#include "app/session.h"
#include "ui/profile_plot.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace kv {

// The measurement to look at: its curves, zoomed and panned with the mouse,
// the controller's parameters beside those computed from the measured
// profile, and the profile's export as an X3P file.
class ProfileViewer : public QWidget {
 public:
  explicit ProfileViewer(const Session& session);

  // Reads the working folder's result files again.
  void Reload();

  // Writes the measured profile, or without one the roughness profile, as an
  // X3P file; an error names the file.
  Status ExportX3pTo(const std::filesystem::path& hostPath);

  ProfilePlot& plot() { return *plot_; }
  QComboBox& curveChoice() { return *curveChoice_; }
  QTableWidget& parameterTable() { return *parameters_; }

 private:
  void ShowCurve(int index);
  void ShowParameterCheck();
  void ExportX3pClicked();

  const Session& session_;
  std::vector<PlotCurve> curves_;
  QComboBox* curveChoice_;
  QLabel* position_;
  ProfilePlot* plot_;
  QTableWidget* parameters_;
  QLabel* checkNote_;
};

}  // namespace kv
