// Times the everyday operations on large models and prints one table:
//   model_bench [--rounds R] [N ...]        (default 3 rounds of 1000 10000 50000)
// Each size is generated and measured in processes of its own, so that peak memory is that
// of opening and working with one model.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
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
  // Five runs: the first of each pays for touching fresh memory and is never the median.
  const double open = MedianMs(
      5,
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
  const double save = MedianMs(5, [&] { TModelFile::SaveModelFile(d, saved); });
  CGPObject* moved = d.Objects[d.Objects.size() / 2];
  const double edit = MedianMs(5, [&] {
    moved->MoveTo(&d.Objects, moved->X + 0.25, moved->Y);
    moved->Recalculate(&d.Objects, false);
    d.ChangePending = true;
    d.RecordUndo(QStringLiteral("Move Cogis"));
  });
  const double undo = MedianMs(5,
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

// The time a process takes and its peak memory, or -1 for both when it fails; its output goes
// nowhere.
struct TProcessCost {
  double Ms = -1;
  double PeakMb = -1;
};

TProcessCost RunProcess(const QString& program, const QStringList& args)
{
  std::vector<QByteArray> words{program.toLocal8Bit()};
  for (const QString& arg : args)
    words.push_back(arg.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return {};
  return {timer.nsecsElapsed() / 1.0e6, usage.ru_maxrss / 1024.0};
}

QString Executable(const char* name)
{
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../") +
         QString::fromLatin1(name);
}

QString ModelPath(const QTemporaryDir& dir, int n)
{
  return dir.filePath(QStringLiteral("model%1.mdl").arg(n));
}

// objects open save edit undo whole paint100 fast hit png svg pdf peakMB exportMB
constexpr std::size_t kColumns = 14;

// One round's figures for a size: the measuring process's, then the exports'; empty when the
// measuring failed.
std::vector<double> MeasureRow(const QTemporaryDir& dir, int n)
{
  const QString model = ModelPath(dir, n);
  QProcess measure;
  measure.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), model});
  measure.waitForFinished(-1);
  const QStringList f = QString::fromLocal8Bit(measure.readAllStandardOutput()).split(' ');
  if (f.size() < 10) return {};
  const QString mindorra = Executable("mindorra");
  const TProcessCost png = RunProcess(
      mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.png")),
                 QStringLiteral("--width"), QStringLiteral("6341"), QStringLiteral("--height"),
                 QStringLiteral("5587")});
  const TProcessCost svg = RunProcess(
      mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.svg"))});
  const TProcessCost pdf = RunProcess(
      mindorra, {QStringLiteral("export"), model, dir.filePath(QStringLiteral("out.pdf"))});
  std::vector<double> row;
  for (int k = 0; k < 9; ++k)
    row.push_back(f[k].toDouble());
  row.insert(row.end(), {png.Ms, svg.Ms, pdf.Ms, f[9].trimmed().toDouble(),
                         std::max({png.PeakMb, svg.PeakMb, pdf.PeakMb})});
  return row;
}

// Counts and whole-process times without decimals, hit tests with three.
const char* ColumnFormat(std::size_t column)
{
  if (column == 8) return " %8.3f";
  return column == 0 || column >= 9 ? " %8.0f" : " %8.1f";
}

template <typename F>
double Median(const std::vector<std::vector<double>>& rows, F column)
{
  std::vector<double> values;
  for (const std::vector<double>& row : rows)
    values.push_back(column(row));
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
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

  // Sizes are measured one after another in each round, so that the growth from one size to
  // the next compares figures taken under the same load; a busy machine then shows in the
  // spread of the rounds rather than in the growth.
  int rounds = 3;
  QList<int> sizes;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--rounds") && i + 1 < args.size())
      rounds = std::clamp(args[++i].toInt(), 1, 20);
    else
      sizes << args[i].toInt();
  }
  if (sizes.isEmpty()) sizes = {1000, 10000, 50000};
  QTemporaryDir dir;
  const QString self = QCoreApplication::applicationFilePath();
  for (int n : sizes) {
    QProcess generate;
    generate.start(self, {QStringLiteral("--generate"), QString::number(n), ModelPath(dir, n)});
    generate.waitForFinished(-1);
  }
  std::map<int, std::vector<std::vector<double>>> rows;  // by size, one row per round
  for (int round = 0; round < rounds; ++round)
    for (int n : sizes)
      if (std::vector<double> row = MeasureRow(dir, n); !row.empty()) rows[n].push_back(row);

  std::printf(
      "%u cores; times in ms, memory in MB (peaks of the measuring process and of the "
      "largest export); medians of %d rounds\n",
      std::thread::hardware_concurrency(), rounds);
  std::printf("%8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s %8s\n", "N", "objects",
              "open", "save", "edit", "undo", "whole", "paint100", "fast", "hit", "png", "svg",
              "pdf", "peakMB", "exportMB");
  for (int n : sizes) {
    if (rows[n].empty()) {
      std::printf("%8d measuring failed\n", n);
      continue;
    }
    std::printf("%8d", n);
    for (std::size_t k = 0; k < kColumns; ++k)
      std::printf(ColumnFormat(k),
                  Median(rows[n], [k](const std::vector<double>& row) { return row[k]; }));
    std::printf("\n");
  }
  // Five times the objects should cost at most five times as much in every column; each
  // round's own ratio, the median of them.
  const auto& a = rows[10000];
  const auto& b = rows[50000];
  if (!a.empty() && a.size() == b.size()) {
    std::printf("%8s", "x50k/10k");
    for (std::size_t k = 0; k < kColumns; ++k) {
      std::vector<std::vector<double>> ratios;
      for (std::size_t r = 0; r < a.size(); ++r)
        ratios.push_back({a[r][k] > 0 ? b[r][k] / a[r][k] : 0.0});
      std::printf(" %8.2f", Median(ratios, [](const std::vector<double>& row) { return row[0]; }));
    }
    std::printf("\n");
  }
  return 0;
}
