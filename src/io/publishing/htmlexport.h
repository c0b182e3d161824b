// The model as a web page: a JPEG picture of the whole model beside an HTML file holding the
// contents list of the model's objects (number and text, notes, cluster members nested under
// their cluster, links to the pages of linked models). Every text written into the page is
// escaped, and the page is plain ASCII whatever the model holds.
#pragma once

#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "io/publishing/objectlisting.h"

class CGPObject;
class TModelDocument;

// One clickable area of the page's picture, in the picture's pixels.
struct THtmlMapArea {
  QRect Box;
  QPolygon Corners;  // the shape's outline; empty: the box
  QString Href;      // already a URL; escaped when written
  QString Title;
};

// How a page is laid out beyond the common template.
struct THtmlPageStyle {
  TListingOrder Order = TListingOrder::ByPosition;
  // The page a gateway's link leads to, or none for no anchor. Unset: links to model files
  // lead to the page of the same name beside the model (".mdl" becomes ".htm").
  std::function<std::optional<QString>(const QString& link)> ModelPage;
  // Areas of an image map over the picture; none means the picture is not a map.
  std::vector<THtmlMapArea> MapAreas;
};

class THtmlExport {
 public:
  // Pictures are kept below this many pixels, so an export needs at most a few hundred
  // megabytes however large a size is asked for.
  static constexpr qint64 kMaxPicturePixels = 24'000'000;
  static const QString kHomePage;

  // The page and its picture (the page's path with ".jpg"). Both are written through
  // temporary files that replace the old ones only when complete; a failure throws
  // EStreamError and leaves the old files as they were. Progress goes 0..100.
  static void ExportHtml(TModelDocument& document, const QString& path, QSize pictureSize,
                         const THtmlPageStyle& style,
                         const std::function<void(int)>& progress = {});
  // The page's lines (without line ends) for a page at path whose picture is pictureName.
  static QStringList PageLines(TModelDocument& document, const QString& path,
                               const QString& pictureName, const THtmlPageStyle& style,
                               const std::function<void(int)>& progress = {});
  // Appends one object's entry, and those of a cluster's members nested under it.
  static void WriteHtmlEntry(const CGPObject& object, QStringList& lines,
                             const THtmlPageStyle& style);
  // The objects the page lists at its top level, in the style's order.
  static std::vector<CGPObject*> ListedObjects(TModelDocument& document, TListingOrder order);

  // The page's bytes: the lines joined by CR LF.
  static QByteArray PageBytes(const QStringList& lines);
  // The size asked for, or a default fitted to the model, scaled down under kMaxPicturePixels.
  static QSize BoundedPictureSize(TModelDocument& document, QSize asked);
  // The picture of the model at a size, encoded as JPEG; throws when it cannot be encoded.
  static QByteArray PictureBytes(TModelDocument& document, QSize size);
  // Where each object's screen box lands in a picture of the size (as the picture is drawn).
  static QRect PictureBox(TModelDocument& document, const CGPObject& object, QSize size);
  // The corners of a shape's outline in that picture (a hexagon's six, turned with it); empty
  // for objects without an outline and for curved outlines of many corners.
  static QPolygon PictureOutline(TModelDocument& document, const CGPObject& object, QSize size);
  static constexpr int kMaxAreaCorners = 40;

  // Text for the page: & < > " as entities, characters beyond ASCII as numeric references,
  // control characters other than the tab dropped.
  static QString Escape(const QString& text);
  // A link as a URL for an attribute: backslashes become slashes, absolute paths become file
  // URLs, and everything outside the URL's own characters is percent-encoded.
  static QString LinkUrl(const QString& link);
  // Whether a link is an address a page may point at (web, mail or FTP), not a script.
  static bool IsWebAddress(const QString& link);
  // The default page of a linked model: its link with ".htm" for ".mdl"; none for other links.
  static std::optional<QString> ModelPageOf(const QString& link);
};
