// The main of the GUI tests: one application object for all of them, headless unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include "tests/common/RecordingNotifier.h"
#include "ui/Resources.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // On Windows the offscreen platform reads font files from one folder, Qt's own by default, which
  // holds none: every text would be boxes. The system's is the one to read; under Wine, which
  // keeps its fonts elsewhere and passes no QT_ variable on to a program, ctest names Wine's,
  // whose Tahoma is what the program shows there as its dialog font.
  const QByteArray fontDir = qgetenv("VEYRA_TEST_FONT_DIR");
  if (!fontDir.isEmpty()) qputenv("QT_QPA_FONTDIR", fontDir);
#ifdef _WIN32
  else if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
    qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "/Fonts");
#endif
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  if (!fontDir.isEmpty()) QFont::insertSubstitution(QApplication::font().family(), QStringLiteral("Tahoma"));
  veyra::InitResources();
  veyra::test::RecordingNotifier::pump = [] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  return RUN_ALL_TESTS();
}
