// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewer_curves.h"

#include <algorithm>

#include "certificate/certificate_data.h"
#include "x3p/profile_loader.h"

namespace kv {
namespace {

// Lengths and heights as the measurement shows them.
struct Units {
  QString length;  // along the profile
  QString height;
  double lengthPerMetre;
  double heightPerMetre;
};

Units UnitsOf(Unit unit) {
  if (unit == Unit::Inch) return {"in", "µin", 1 / 0.0254, 1 / 0.0254e-6};
  return {"mm", "µm", 1e3, 1e6};
}

std::optional<PlotCurve> ProfileCurve(const FileSystem& files, std::string_view workFolder,
                                      ProfileKind kind, const Units& units) {
  auto profile = LoadProfile(files, workFolder, kind);
  if (!profile.ok()) return std::nullopt;
  PlotCurve curve;
  curve.title = kind == ProfileKind::kMeasured ? "Measured profile" : "Roughness profile";
  curve.xUnit = units.length;
  curve.yUnit = units.height;
  curve.xTitle = "Length (" + units.length + ")";
  curve.yTitle = "Height (" + units.height + ")";
  curve.stepX = profile.value().pitch * units.lengthPerMetre;
  curve.values = std::move(profile.value().heights);
  for (double& value : curve.values) value *= units.heightPerMetre;
  return curve;
}

// A curve over 0 to 100 % of its x range.
PlotCurve PercentCurve(QString title, QString xTitle, QString yTitle, QString yUnit,
                       std::vector<double> values) {
  PlotCurve curve{std::move(title), std::move(xTitle), std::move(yTitle), "%",
                  std::move(yUnit), std::move(values)};
  curve.stepX = curve.values.size() > 1 ? 100.0 / double(curve.values.size() - 1) : 1;
  return curve;
}

}  // namespace

std::vector<PlotCurve> LoadViewerCurves(const FileSystem& files, std::string_view workFolder) {
  auto data = ReadCertificateData(files, workFolder);
  const Units units = UnitsOf(data.ok() ? data.value().unit : Unit::Metric);
  std::vector<PlotCurve> curves;
  // A measured profile of an earlier measurement is not shown beside this one.
  if (MeasuredProfileIsCurrent(files, workFolder)) {
    if (auto curve = ProfileCurve(files, workFolder, ProfileKind::kMeasured, units)) {
      curves.push_back(*curve);
    }
  }
  if (auto curve = ProfileCurve(files, workFolder, ProfileKind::kEvaluation, units)) {
    curves.push_back(*curve);
  }
  if (!data.ok()) return curves;
  if (!data.value().bac.empty()) {
    curves.push_back(PercentCurve("Bearing area curve", "Bearing ratio (%)",
                                  "Height (" + units.height + ")", units.height,
                                  std::move(data.value().bac)));
  }
  if (!data.value().adc.empty()) {
    curves.push_back(PercentCurve("Amplitude distribution curve", "Depth from the top (%)",
                                  "Density (%)", "%", std::move(data.value().adc)));
  }
  return curves;
}

}  // namespace kv
