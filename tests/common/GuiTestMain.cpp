// The main of the GUI tests: one application object for all of them, headless unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/common/RecordingNotifier.h"
#include "ui/Resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  veyra::InitResources();
  veyra::test::RecordingNotifier::pump = [] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  return RUN_ALL_TESTS();
}
