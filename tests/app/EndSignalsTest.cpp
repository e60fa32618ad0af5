// Logging out ends the program with a signal: it must save like the close box.

#include <QCoreApplication>
#include <QElapsedTimer>

#include "AppFixture.h"
#include "app/EndSignals.h"

#ifdef Q_OS_UNIX
#include <csignal>

namespace kirimo::testing {
namespace {

using EndSignalsTest = AppFixture;

TEST_F(EndSignalsTest, TerminationSignalClosesTheMainWindowAndSavesTheSettings) {
  SetIni("[MyData]\r\nFUKKI=180\r\nHIDUKE=01/02/03/04:05\r\n");
  FrmMain& w = Start();
  w.show();
  ASSERT_EQ(std::raise(SIGTERM), 0);
  QElapsedTimer waited;
  waited.start();
  while (w.isVisible() && waited.elapsed() < 5000) QCoreApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  const std::string bytes = iniBytes();
  EXPECT_NE(bytes.find("FUKKI=180\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[frmMain]\r\nLEFT="), std::string::npos);
}

}  // namespace
}  // namespace kirimo::testing
#endif
