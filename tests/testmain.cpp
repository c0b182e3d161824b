// Test entry point: every test program needs a Qt application object for fonts,
// images and painting, and must run without a display.
#include <gtest/gtest.h>

#include <QtGlobal>

#ifdef MINDORRA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  TestApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
