// The main of the GUI tests: one application object for all of them, headless unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  veyra::InitResources();
  return RUN_ALL_TESTS();
}
