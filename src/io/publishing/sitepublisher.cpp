#include "io/publishing/sitepublisher.h"

#include <QDir>
#include <QFileInfo>
#include <deque>
#include <map>
#include <set>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/publishing/htmlexport.h"
#include "model/layers/gateway.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"

namespace {

class TQuietObserver : public IDocumentObserver {
 public:
  void Repaint() override {}
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override {}
  void ReportError(const QString& message) override
  {
    if (!message.isEmpty()) Messages << message;
  }
  QStringList Messages;
};

bool IsInside(const QString& path, const QString& folder)
{
  return path == folder ||
         path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

// The site's bookkeeping: which model files are known, under which page names.
class TSite {
 public:
  explicit TSite(const QString& tree) : tree_(tree) {}

  // The model file a link of the model at from leads to, when it may be published; a link
  // that cannot be followed is noted once as a problem.
  std::optional<QString> Follow(const QString& from, const QString& link)
  {
    QString target = link;
    target.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString absolute = QDir::cleanPath(QFileInfo(from).dir().absoluteFilePath(target));
    const QString relativeFrom = QDir(tree_).relativeFilePath(from);
    if (!IsInside(absolute, tree_)) {
      Note(QStringLiteral("Not published (outside the folder of the first model): \"%1\", linked "
                          "from %2")
               .arg(link, relativeFrom));
      return std::nullopt;
    }
    const QFileInfo info(absolute);
    const QString canonical = info.canonicalFilePath();
    if (!info.isFile() || canonical.isEmpty()) {
      Note(QStringLiteral("Missing model: \"%1\", linked from %2").arg(link, relativeFrom));
      return std::nullopt;
    }
    // A link through a symbolic link may still lead out of the tree.
    if (!IsInside(canonical, tree_)) {
      Note(QStringLiteral("Not published (outside the folder of the first model): \"%1\", linked "
                          "from %2")
               .arg(link, relativeFrom));
      return std::nullopt;
    }
    return canonical;
  }

  // The page of a model, relative to the output folder; made unique on first use.
  QString PageOf(const QString& model)
  {
    const auto found = pages_.find(model);
    if (found != pages_.end()) return found->second;
    const QString relative = QDir(tree_).relativeFilePath(model);
    const QString base = relative.left(relative.size() - QFileInfo(relative).suffix().size() - 1);
    QString page = base + QStringLiteral(".htm");
    for (int n = 2; taken_.contains(page.toLower()) ||
                    page.compare(QLatin1String("index.html"), Qt::CaseInsensitive) == 0;
         ++n)
      page = base + QStringLiteral("-%1.htm").arg(n);
    taken_.insert(page.toLower());
    pages_.emplace(model, page);
    return page;
  }

  void Note(const QString& problem)
  {
    if (!Problems.contains(problem)) Problems << problem;
  }

  QStringList Problems;

 private:
  QString tree_;
  std::map<QString, QString> pages_;
  std::set<QString> taken_;
};

// Reads a model of the web; a model other than the root that fails is noted and skipped.
bool Open(TModelDocument& document, const QString& model, TSite& site, const QString& tree,
          bool isRoot)
{
  TQuietObserver observer;
  document.SetObserver(&observer);
  try {
    TModelFile::OpenModelFile(document, model, true);
    document.SetObserver(nullptr);
    return true;
  } catch (const EStreamError& error) {
    document.SetObserver(nullptr);
    if (isRoot) throw;
    site.Note(QStringLiteral("Unreadable model: %1: %2")
                  .arg(QDir(tree).relativeFilePath(model), error.Message()));
    return false;
  }
}

THtmlMapArea AreaFor(TModelDocument& document, const CGPObject& object, QSize size,
                     const QString& href)
{
  const QStringList text = TObjectListing::PlainLines(object.Text);
  return {THtmlExport::PictureBox(document, object, size),
          THtmlExport::PictureOutline(document, object, size), href,
          text.isEmpty() ? QStringLiteral("%1").arg(object.Serial) : text.join(QLatin1Char(' '))};
}

QByteArray IndexPage(const QString& rootPage, const QString& rootName, const TSiteResult& result)
{
  auto e = &THtmlExport::Escape;
  QStringList lines;
  lines << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")
        << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>")
        << QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">")
        << QStringLiteral("<TITLE>Mindorra - %1</TITLE>").arg(e(rootName))
        << QStringLiteral("</HEAD>") << QStringLiteral("<BODY>")
        << QStringLiteral("<H1>%1</H1>").arg(e(rootName))
        << QStringLiteral("<P>Start at <A HREF=\"%1\">%2</A>.</P>")
               .arg(e(THtmlExport::LinkUrl(rootPage)), e(rootName))
        << QStringLiteral("<H2>Models</H2>") << QStringLiteral("<UL>");
  for (const QString& page : result.Pages)
    lines << QStringLiteral("<LI><A HREF=\"%1\">%2</A></LI>")
                 .arg(e(THtmlExport::LinkUrl(page)), e(page));
  lines << QStringLiteral("</UL>");
  if (!result.Problems.isEmpty()) {
    lines << QStringLiteral("<H2>Links not published</H2>") << QStringLiteral("<UL>");
    for (const QString& problem : result.Problems)
      lines << QStringLiteral("<LI>%1</LI>").arg(e(problem));
    lines << QStringLiteral("</UL>");
  }
  lines << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
  return THtmlExport::PageBytes(lines);
}

}  // namespace

TSiteResult TSitePublisher::Publish(const QString& rootModel, const QString& outFolder,
                                    QSize pictureSize, TListingOrder order,
                                    const std::function<void(const QString&)>& progress)
{
  const QFileInfo rootInfo(rootModel);
  const QString root = rootInfo.canonicalFilePath();
  if (!rootInfo.isFile() || root.isEmpty())
    throw EStreamError(QStringLiteral("Cannot load model.  File not found."));
  const QString tree = QFileInfo(root).canonicalPath();
  if (!QDir().mkpath(outFolder))
    throw EStreamError(QStringLiteral("Cannot make the folder \"%1\"").arg(outFolder));
  const QString out = QFileInfo(outFolder).canonicalFilePath();

  TSite site(tree);
  TSiteResult result;
  // First the web: which models are reachable and readable, and where each link leads. The
  // pages come after, so that no page links to a model that could not be read.
  struct TModelLinks {
    QString Model;
    std::map<QString, QString> Targets;  // link -> model file
  };
  std::vector<TModelLinks> web;
  std::deque<QString> queue{root};
  std::set<QString> seen{root};
  std::set<QString> readable;
  while (!queue.empty()) {
    TModelLinks entry{queue.front(), {}};
    queue.pop_front();
    TModelDocument document;
    if (!Open(document, entry.Model, site, tree, entry.Model == root)) continue;
    readable.insert(entry.Model);
    for (CGPObject* object : document.Objects) {
      const auto* gateway = dynamic_cast<const TGateway*>(object);
      if (!gateway || !gateway->Link.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) continue;
      if (entry.Targets.contains(gateway->Link)) continue;
      const std::optional<QString> target = site.Follow(entry.Model, gateway->Link);
      if (!target) continue;
      if (!seen.contains(*target)) {
        if (static_cast<int>(seen.size()) >= kMaxModels) {
          site.Note(QStringLiteral("Not published (more than %1 models): \"%2\"")
                        .arg(kMaxModels)
                        .arg(gateway->Link));
          continue;
        }
        seen.insert(*target);
        queue.push_back(*target);
      }
      entry.Targets.emplace(gateway->Link, *target);
    }
    web.push_back(std::move(entry));
  }
  for (const TModelLinks& entry : web) {
    const QString page = site.PageOf(entry.Model);
    if (progress) progress(page);
    TModelDocument document;
    if (!Open(document, entry.Model, site, tree, entry.Model == root)) continue;
    const QString pageFolder = QFileInfo(QDir(out).filePath(page)).path();
    std::map<QString, QString> hrefs;
    for (const auto& [link, target] : entry.Targets)
      if (readable.contains(target))
        hrefs[link] = QDir(pageFolder).relativeFilePath(QDir(out).filePath(site.PageOf(target)));
    THtmlPageStyle style;
    style.Order = order;
    style.ModelPage = [&hrefs](const QString& link) -> std::optional<QString> {
      const auto found = hrefs.find(link);
      if (found == hrefs.end()) return std::nullopt;
      return found->second;
    };
    const QSize size = THtmlExport::BoundedPictureSize(document, pictureSize);
    // Topmost objects first, since a browser takes the first area under the pointer.
    for (auto it = document.Objects.rbegin(); it != document.Objects.rend(); ++it) {
      const auto* gateway = dynamic_cast<const TGateway*>(*it);
      if (!gateway || gateway->Link.isEmpty()) continue;
      QString href;
      if (const auto found = hrefs.find(gateway->Link); found != hrefs.end())
        href = THtmlExport::LinkUrl(found->second);
      else if (THtmlExport::IsWebAddress(gateway->Link))
        href = THtmlExport::LinkUrl(gateway->Link);
      if (href.isEmpty()) continue;
      const THtmlMapArea area = AreaFor(document, **it, size, href);
      if (!area.Box.isEmpty()) style.MapAreas.push_back(area);
    }
    const QString pagePath = QDir(out).filePath(page);
    QDir().mkpath(QFileInfo(pagePath).path());
    try {
      THtmlExport::ExportHtml(document, pagePath, size, style);
      result.Pages << page;
    } catch (const EStreamError& error) {
      if (entry.Model == root) throw;
      site.Note(QStringLiteral("Not written: %1: %2").arg(page, error.Message()));
    }
  }
  result.Problems = site.Problems;
  result.IndexPath = QDir(out).filePath(QStringLiteral("index.html"));
  TWholeFile::WriteAtomically(
      result.IndexPath, IndexPage(site.PageOf(root), QFileInfo(root).completeBaseName(), result));
  return result;
}
