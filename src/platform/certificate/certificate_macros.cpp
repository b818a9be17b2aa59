// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/certificate/certificate_macros.h"

#include <chrono>
#include <utility>

#include "platform/spreadsheet/xls_workbook.h"

namespace kv {
namespace {

using Path = std::filesystem::path;

Status NotCreated(const MacroCall& call) {
  return Status::Error(
      "The certificate has not been created: \"CreateCertifcate\" must run in "
      "the workbook \"" +
      call.workbook.filename().string() + "\" first.");
}

Status CreateCertificate(CertificateState& state, const MacroCall& call) {
  // A failed attempt must not leave an older certificate to print.
  state.Forget(call.workbook);
  std::string name = call.workbook.filename().string();
  auto workbook = OpenXlsWorkbook(call.workbook, name);
  if (!workbook.ok()) return workbook.status();
  auto wording = ReadCertificateWording(*workbook.value(), name);
  if (!wording.ok()) return wording.status();
  Path folder = call.workbook.parent_path();
  auto data = ReadCertificateData(folder);
  if (!data.ok()) return data.status();
  data.value().issued = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  state.Keep(call.workbook, Certificate{std::move(data.value()), std::move(wording.value()),
                                        CertificateLanguage(folder)});
  return Status::Ok();
}

Status ChangeLanguage(CertificateState& state, const MacroCall& call) {
  Path folder = call.workbook.parent_path();
  Language next =
      CertificateLanguage(folder) == Language::Japanese ? Language::English : Language::Japanese;
  Status stored = StoreCertificateLanguage(folder, next);
  if (!stored.ok()) return stored;
  if (Certificate* certificate = state.Find(call.workbook)) certificate->language = next;
  return Status::Ok();
}

// A macro that needs the workbook's certificate.
template <typename Output>
Macro WithCertificate(std::shared_ptr<CertificateState> state, Output output) {
  return [state = std::move(state), output](const MacroCall& call) {
    Certificate* certificate = state->Find(call.workbook);
    if (!certificate) return NotCreated(call);
    return output(*certificate, call);
  };
}

}  // namespace

void CertificateState::Keep(const Path& workbook, Certificate certificate) {
  certificates_.insert_or_assign(workbook, std::move(certificate));
}

Certificate* CertificateState::Find(const Path& workbook) {
  auto found = certificates_.find(workbook);
  return found == certificates_.end() ? nullptr : &found->second;
}

void CertificateState::Forget(const Path& workbook) {
  certificates_.erase(workbook);
}

MacroTable CertificateMacros(std::shared_ptr<CertificateState> state) {
  MacroTable macros;
  macros["CreateCertifcate"] = [state](const MacroCall& call) {
    return CreateCertificate(*state, call);
  };
  macros["ChangeLanguage"] = [state](const MacroCall& call) {
    return ChangeLanguage(*state, call);
  };
  macros["AutoPrint"] =
      WithCertificate(state, [](const Certificate& certificate, const MacroCall&) {
        return PrintCertificate(certificate);
      });
  macros["PrintPreview"] =
      WithCertificate(state, [](const Certificate& certificate, const MacroCall&) {
        return PreviewCertificate(certificate);
      });
  macros["SheetExport"] =
      WithCertificate(state, [](const Certificate& certificate, const MacroCall& call) -> Status {
        auto written = ExportCertificatePdf(certificate, call.workbook.parent_path(),
                                            QDateTime::currentDateTime());
        return written.ok() ? Status::Ok() : written.status();
      });
  return macros;
}

}  // namespace kv
