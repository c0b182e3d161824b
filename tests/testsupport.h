// Small helpers shared by the test programs: where data and output files live.
#pragma once

#include <QDir>
#include <QString>

namespace testsupport {

// Folder of hand-made input files kept in the repository.
inline QString DataPath(const QString& name)
{
  return QStringLiteral(MINDORRA_TEST_DATA "/") + name;
}

// Folder where tests leave pictures for a person to look at; created on demand.
inline QString OutputPath(const QString& name)
{
  QString dir = qEnvironmentVariable("MINDORRA_TEST_OUTPUT");
  if (dir.isEmpty()) dir = QStringLiteral(MINDORRA_BINARY_DIR "/test-output");
  QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name;
}

}  // namespace testsupport
