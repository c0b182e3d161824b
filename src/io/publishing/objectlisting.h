// What the HTML page and the text report share when they list a model's objects: the two
// reading orders and the plain text of an object's rich text.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class CGPObject;

enum class TListingOrder { ByPosition, ByNumber };

class TObjectListing {
 public:
  // By position: the top edges of the screen boxes at 100 % (smaller first), then the left
  // edges; by number: Number ascending. Equal objects keep their stacking order.
  static void Sort(std::vector<CGPObject*>& objects, TListingOrder order);
  // The characters of a rich-text stream, one entry per paragraph or line break, without the
  // empty lines a stream ends with. Empty for an empty stream.
  static QStringList PlainLines(const QByteArray& richText);
  // A cluster's members in the order they joined; empty for every other object.
  static std::vector<CGPObject*> Members(const CGPObject& object);
  static bool IsCluster(const CGPObject& object);
  // The cluster an object belongs to, or none.
  static const CGPObject* ClusterOf(const CGPObject& object);
};
