#include "io/publishing/objectlisting.h"

#include <algorithm>

#include "model/cluster.h"
#include "model/layers/clusteredobject.h"
#include "platform/measurecanvas.h"
#include "platform/text/rtfreader.h"

void TObjectListing::Sort(std::vector<CGPObject*>& objects, TListingOrder order)
{
  if (order == TListingOrder::ByNumber) {
    std::stable_sort(objects.begin(), objects.end(),
                     [](const CGPObject* a, const CGPObject* b) { return a->Number < b->Number; });
    return;
  }
  TMeasureCanvas measure;
  std::vector<std::pair<TPixelRect, CGPObject*>> keyed;
  keyed.reserve(objects.size());
  for (CGPObject* object : objects)
    keyed.emplace_back(object->GetScreenBox(measure.Canvas(), 0, 0, 100).Normalized(), object);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first.Top != b.first.Top ? a.first.Top < b.first.Top : a.first.Left < b.first.Left;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i)
    objects[i] = keyed[i].second;
}

QStringList TObjectListing::PlainLines(const QByteArray& richText)
{
  if (richText.isEmpty()) return {};
  QString text = TRtfReader::PlainText(richText);
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.remove(QLatin1Char('\r'));
  QStringList lines = text.split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.back().isEmpty())
    lines.removeLast();
  return lines;
}

std::vector<CGPObject*> TObjectListing::Members(const CGPObject& object)
{
  std::vector<CGPObject*> members;
  if (const auto* cluster = dynamic_cast<const TCluster*>(&object))
    for (TClusteredObject* member : cluster->Members)
      members.push_back(member);
  return members;
}

bool TObjectListing::IsCluster(const CGPObject& object)
{
  return dynamic_cast<const TCluster*>(&object) != nullptr;
}

const CGPObject* TObjectListing::ClusterOf(const CGPObject& object)
{
  const auto* member = dynamic_cast<const TClusteredObject*>(&object);
  return member ? member->Cluster : nullptr;
}
