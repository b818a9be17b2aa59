// SPDX-License-Identifier: GPL-3.0-or-later
// Renews the pictures of the README: the main window after a read, in
// print-key output, with its service row, the comment dialog and the profile
// viewer, each
// against the simulator in this process on a fresh drive.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "certificate/qt/qt_certificate_actions.h"
#include "platform/transport/sim_transport.h"
#include "ui/kv_com.h"
#include "ui/profile_viewer.h"

namespace {

bool Save(QWidget& widget, const std::filesystem::path& file) {
  const bool saved = widget.grab().save(QString::fromStdString(file.string()));
  std::cout << (saved ? "wrote " : "could not write ") << file.string() << "\n";
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  if (argc != 3) {
    std::cerr << "Usage: screenshots WORKBOOK_FOLDER OUTPUT_FOLDER\n";
    return 64;
  }
  const std::filesystem::path workbooks = argv[1], out = argv[2];
  std::string folder = (std::filesystem::temp_directory_path() / "kv-shots-XXXXXX").string();
  const std::filesystem::path drive = ::mkdtemp(folder.data());
  for (const char* name : {"Language.xls", "KV_Certificate.xls", "KV_Certificate_Letter.xls"}) {
    std::filesystem::copy_file(workbooks / name, drive / name);
  }
  kv::FileSystem files{kv::DriveMap(drive)};
  kv::SimTransport transport(std::make_unique<kvsim::Controller>());
  kv::QtCertificateActions certificate(files, "C:\\Tarnwick Corvanet\\KV-730\\");
  kv::KV_Com window;
  kv::Application application(transport, files, certificate, window.Observer());
  window.Attach(application);
  kv::InstanceLock lock;
  const auto outcome = application.Start(lock, "C:");
  window.ShowStartup(outcome);
  window.show();
  bool saved = window.Read_All_Data_Click().ok() && Save(window, out / "main-window.png");
  window.Option2[2]->click();
  saved = Save(window, out / "print-key-output.png") && saved;
  window.Option2[0]->click();
  window.ShowServiceButtons(true);
  window.Version_Click();
  saved = Save(window, out / "service-row.png") && saved;
  saved = window.C2340_Click().ok() && saved;  // the measured profile, for the viewer
  kv::ProfileViewer& viewer = window.ShowProfileViewer();
  saved = Save(viewer, out / "profile-viewer.png") && saved;
  viewer.close();
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    saved = Save(*dialog, out / "comment-dialog.png") && saved;
    dialog->findChild<QPushButton*>()->click();
  });
  window.Comment_Click();
  window.close();
  std::filesystem::remove_all(drive);
  return saved ? 0 : 1;
}
