// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
  // Real windows and fonts, no display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // No print job of a test may reach a printer of the machine: only the test
  // print server that scripts/run-tests.sh starts (KV_TEST_CUPS=1 with its
  // CUPS_SERVER), otherwise a server that does not exist.
  if (qEnvironmentVariable("KV_TEST_CUPS") != "1" || qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
  }
  qunsetenv("LPDEST");  // the server's default destination, not the caller's
  qunsetenv("PRINTER");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
