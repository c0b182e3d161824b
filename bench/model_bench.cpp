// Times the everyday operations on large models and prints one table:
//   model_bench [N ...]        (default 1000 10000 50000)
// Each size is generated and measured in processes of its own, so that peak memory is that
// of opening and working with one model.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <thread>
#include <vector>

#include "document/modelpainter.h"
#include "document/modelview.h"
#include "io/modelfile.h"
#include "io/undorecorder.h"
#include "platform/memorypolicy.h"
#include "support/modelgenerator.h"

namespace {

// The median time of the work; setup runs before each, untimed.
template <typename F, typename S>
double MedianMs(int runs, F&& work, S&& setup)
{
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    setup();
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(timer.nsecsElapsed() / 1.0e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <typename F>
double MedianMs(int runs, F&& work)
{
  return MedianMs(runs, work, [] {});
}

long PeakMemoryKb()
{
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
  return 0;
}

int Generate(int count, const QString& path)
{
  TModelDocument document;
  TModelGenerator::Build(document, count);
  TModelFile::SaveModelFile(document, path);
  return 0;
}

// Prints: objects open save edit undo whole full100 fast hit peakMB
int MeasureOne(const QString& path)
{
  auto document = std::make_unique<TModelDocument>();
  // Closing the model opened before is not part of opening one.
  const double open = MedianMs(
      3,
      [&] {
        document = std::make_unique<TModelDocument>();
        TModelFile::OpenModelFile(*document, path, false);
      },
      [&] { document.reset(); });
  TModelDocument& d = *document;
  TUndoRecorder recorder;
  d.SetUndoRecorder(&recorder);
  TUndoRecorder::TakeBaseline(d);
  QTemporaryDir dir;
  const QString saved = dir.filePath(QStringLiteral("saved.mdl"));
  const double save = MedianMs(3, [&] { TModelFile::SaveModelFile(d, saved); });
  CGPObject* moved = d.Objects[d.Objects.size() / 2];
  const double edit = MedianMs(5, [&] {
    moved->MoveTo(&d.Objects, moved->X + 0.25, moved->Y);
    moved->Recalculate(&d.Objects, false);
    d.ChangePending = true;
    d.RecordUndo(QStringLiteral("Move Cogis"));
  });
  const double undo = MedianMs(3,
                               [&] {
                                 recorder.Undo(d);
                                 recorder.Redo(d);
                               }) /
                      2.0;

  d.ClientSize = QSize(1920, 1080);
  QImage window(d.ClientSize, QImage::Format_RGB32);
  TModelPainter painter(d);
  TModelView view(d);
  view.ShowWholeModel();
  const double whole = MedianMs(5, [&] { painter.DrawScreen(window, false); });
  view.SetView(false, 100, d.ModelWidth / 2, d.ModelHeight / 2, 0, 0);
  const double full = MedianMs(5, [&] { painter.DrawScreen(window, false); });
  const double fast = MedianMs(5, [&] {
    view.PanBy(0.05, 0.03);
    painter.DrawScreen(window, true);
  });
  painter.DrawScreen(window, false);
  const double hit = MedianMs(9, [&] { painter.HitTest(QPoint(960, 540)); });
  std::printf("%zu %.1f %.1f %.1f %.1f %.1f %.1f %.1f %.3f %.0f\n", d.Objects.size(), open, save,
              edit, undo, whole, full, fast, hit, PeakMemoryKb() / 1024.0);
  return 0;
}

double TimeProcess(const QString& program, const QStringList& args)
{
  QElapsedTimer timer;
  timer.start();
  QProcess process;
  process.start(program, args);
  process.waitForFinished(-1);
  if (process.exitCode() != 0) return -1;
  return timer.nsecsElapsed() / 1.0e6;
}

QString Executable(const char* name)
{
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../") +
         QString::fromLatin1(name);
}

}  // namespace

int main(int argc, char** argv)
{
  TMemoryPolicy::Apply();  // as the program does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 3 && args[0] == QLatin1String("--generate"))
    return Generate(args[1].toInt(), args[2]);
  if (args.size() == 2 && args[0] == QLatin1String("--measure")) return MeasureOne(args[1]);

  QList<int> sizes;
  for (const QString& arg : args)
    sizes << arg.toInt();
  if (sizes.isEmpty()) sizes = {1000, 10000, 50000};
  QTemporaryDir dir;
  std::map<int, std::vector<double>> rows;  // every measured figure of a size, for the growth
  const QString self = QCoreApplication::applicationFilePath();
  std::printf("%u cores; times in ms (median), memory in MB (peak of the measuring process)\n",
              std::thread::hardware_concurrency());
  std::printf("%8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s\n", "N", "objects", "open",
              "save", "edit", "undo", "whole", "paint100", "fast", "hit", "png", "svg", "pdf",
              "peakMB");
  for (int n : sizes) {
    const QString model = dir.filePath(QStringLiteral("model%1.mdl").arg(n));
    QProcess generate;
    generate.start(self, {QStringLiteral("--generate"), QString::number(n), model});
    generate.waitForFinished(-1);
    QProcess measure;
    measure.start(self, {QStringLiteral("--measure"), model});
    measure.waitForFinished(-1);
    const QStringList f = QString::fromLocal8Bit(measure.readAllStandardOutput()).split(' ');
    if (f.size() < 10) {
      std::printf("%8d measuring failed\n", n);
      continue;
    }
    const QString mindorra = Executable("mindorra");
    const double png = TimeProcess(
        mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.png")),
                   QStringLiteral("--width"), QStringLiteral("6341"), QStringLiteral("--height"),
                   QStringLiteral("5587")});
    const double svg = TimeProcess(
        mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.svg"))});
    const double pdf = TimeProcess(
        mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.pdf"))});
    std::printf("%8d %8s %8s %8s %8s %8s %8s %8s %8s %8s %8.0f %8.0f %8.0f %8s\n", n,
                qPrintable(f[0]), qPrintable(f[1]), qPrintable(f[2]), qPrintable(f[3]),
                qPrintable(f[4]), qPrintable(f[5]), qPrintable(f[6]), qPrintable(f[7]),
                qPrintable(f[8]), png, svg, pdf, qPrintable(f[9].trimmed()));
    std::fflush(stdout);
    std::vector<double>& row = rows[n];
    for (int k = 0; k < 9; ++k)
      row.push_back(f[k].toDouble());
    row.insert(row.end(), {png, svg, pdf, f[9].trimmed().toDouble()});
  }
  // Five times the objects should cost at most five times as much in every column.
  if (rows.count(10000) && rows.count(50000)) {
    std::printf("%8s", "x50k/10k");
    const std::vector<double>& a = rows[10000];
    const std::vector<double>& b = rows[50000];
    for (std::size_t k = 0; k < a.size(); ++k)
      std::printf(" %8.2f", a[k] > 0 ? b[k] / a[k] : 0.0);
    std::printf("\n");
  }
  return 0;
}
