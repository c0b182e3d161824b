// The text report: a model's objects with their kinds, numbers, texts and notes as one rich-text
// document, for the current view, the whole model, a range of pages or the selection, in
// screen order or by number, optionally headed by the model's summary; and its plain text.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "io/publishing/objectlisting.h"

class CGPObject;
class TModelDocument;

enum class TReportRange { CurrentView, WholeModel, Pages, Selected };

struct TReportOptions {
  TReportRange Range = TReportRange::CurrentView;
  bool SeparatePages = false;  // with WholeModel: every page in turn
  int FirstPage = 1;
  int LastPage = 1;
  TListingOrder Order = TListingOrder::ByPosition;
  bool IncludeSummary = false;
};

class TTextReport {
 public:
  // The top-level objects of a range; page counts from 1 and is used by Pages only. Members
  // of a cluster are left out when their cluster is in the range too (they are reported
  // under it), and reported on their own otherwise.
  static std::vector<CGPObject*> ReportObjects(TModelDocument& document, TReportRange range,
                                               int page = 0);
  // The pages a request covers: exchanged when given backwards, clamped to the model's pages.
  static std::pair<int, int> PageSpan(const TModelDocument& document, int first, int last);
  // The report's lines; together one RTF document. Progress goes 0..100 for each list.
  static QStringList ReportLines(TModelDocument& document, const TReportOptions& options,
                                 const std::function<void(int)>& progress = {});
  static QByteArray ReportRtf(TModelDocument& document, const TReportOptions& options,
                              const std::function<void(int)>& progress = {});
  // The report's characters without formatting, lines ended by CR LF, as UTF-8.
  static QByteArray PlainTextBytes(const QByteArray& rtf);
  // The whole-model report written to a file as plain text, through a temporary file that
  // replaces it only when complete.
  static void WriteTextReport(TModelDocument& document, const QString& path,
                              const TReportOptions& options);
  // Text for the document: backslash and braces escaped, tabs and line breaks as control
  // words, characters of Windows-1252 beyond ASCII as \'hh and everything else as \u.
  static QString EscapeRtf(const QString& text);
};
