// The layers of src/ may only include those below them, and nothing below the interaction
// layer may pull in a widget header; a wrong include fails here instead of in review.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QStringList kLayerOrder = {QStringLiteral("platform"),    QStringLiteral("geometry"),
                                 QStringLiteral("render"),      QStringLiteral("model"),
                                 QStringLiteral("document"),    QStringLiteral("io"),
                                 QStringLiteral("interaction"), QStringLiteral("app")};
const int kFirstWidgetLayer = 6;  // interaction

// Qt modules whose headers need QtWidgets.
const QStringList kWidgetModules = {QStringLiteral("QtWidgets"), QStringLiteral("QtPrintSupport"),
                                    QStringLiteral("QtSvgWidgets")};

bool IsWidgetHeader(const QString& header)
{
  for (const QString& module : kWidgetModules) {
    if (header.startsWith(module + QLatin1Char('/')) || header == module) return true;
    if (QFileInfo::exists(QStringLiteral(MINDORRA_QT_INCLUDE_DIR "/") + module + QLatin1Char('/') +
                          header))
      return true;
  }
  return false;
}

// Every include under root/src that breaks the layer order, as "file: include".
QStringList LayerViolations(const QString& root)
{
  static const QRegularExpression include(
      QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
  QStringList faults;
  const QString src = root + QStringLiteral("/src");
  QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = QDir(src).relativeFilePath(path);
    const int layer = kLayerOrder.indexOf(relative.section(QLatin1Char('/'), 0, 0));
    if (layer < 0) continue;  // main.cpp stands above every layer
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {path + QStringLiteral(": unreadable")};
    while (!file.atEnd()) {
      const QString line = QString::fromUtf8(file.readLine());
      const QRegularExpressionMatch match = include.match(line);
      if (!match.hasMatch()) continue;
      const QString header = match.captured(2);
      if (match.captured(1) == QStringLiteral("\"")) {
        const int target = kLayerOrder.indexOf(header.section(QLatin1Char('/'), 0, 0));
        if (target < 0 || target > layer) faults << relative + QStringLiteral(": ") + header;
      } else if (layer < kFirstWidgetLayer && IsWidgetHeader(header)) {
        faults << relative + QStringLiteral(": <") + header + QLatin1Char('>');
      }
    }
  }
  return faults;
}

void WriteFile(const QString& path, const QByteArray& text)
{
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

}  // namespace

TEST(Layering, TheSourceTreeKeepsTheLayerOrder)
{
  const QStringList faults = LayerViolations(QStringLiteral(MINDORRA_SOURCE_DIR));
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST(Layering, UpwardAndWidgetIncludesAreCaught)
{
  QTemporaryDir root;
  const QString src = root.path() + QStringLiteral("/src/");
  WriteFile(src + QStringLiteral("render/a.cpp"),
            "#include \"platform/x.h\"\n#include \"model/cogi.h\"\n");
  WriteFile(src + QStringLiteral("document/b.h"), "#include <QImage>\n#include <QWidget>\n");
  WriteFile(src + QStringLiteral("document/c.h"), "#  include <QtWidgets/QMenu>\n");
  WriteFile(src + QStringLiteral("app/d.cpp"), "#include <QWidget>\n#include \"io/modelfile.h\"\n");
  WriteFile(src + QStringLiteral("io/e.cpp"), "#include \"nowhere/f.h\"\n");
  QStringList faults = LayerViolations(root.path());
  faults.sort();
  EXPECT_EQ(faults, QStringList({QStringLiteral("document/b.h: <QWidget>"),
                                 QStringLiteral("document/c.h: <QtWidgets/QMenu>"),
                                 QStringLiteral("io/e.cpp: nowhere/f.h"),
                                 QStringLiteral("render/a.cpp: model/cogi.h")}));
}
