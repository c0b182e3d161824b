// The publishing commands of the main window, as entry points the command registry calls:
// the HTML page ("Save as HTML..." and saving under ".htm"/".html"), the text report ("&Text
// Report" and saving under ".txt") and the site of linked models ("Publish Web Site...").
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "io/publishing/objectlisting.h"
#include "io/publishing/textreport.h"

class IDialogService;
class QWidget;
class TModelDocument;
class TTextReportForm;

// The questions these commands ask in dialogs of their own; tests answer them.
class IPublishingQuestions {
 public:
  virtual ~IPublishingQuestions() = default;
  // "HTML Options": none when cancelled.
  virtual std::optional<TListingOrder> HtmlOrder(QWidget* parent) = 0;
  // "Generate Report": none when cancelled.
  virtual std::optional<TReportOptions> ReportOptions(QWidget* parent, bool selectionExists,
                                                      bool wholeModelOnly) = 0;
  // The size of the page's picture: none when cancelled.
  virtual std::optional<QSize> PictureSize(QWidget* parent, TModelDocument& document) = 0;
  // Shows the report window modally.
  virtual void ShowReport(TTextReportForm& form) = 0;
};

// The program's own dialogs. The picture size comes from the question set with
// SetPictureSizeQuestion (the image size dialog), or else is the default fitted to the model.
class TPublishingDialogs : public IPublishingQuestions {
 public:
  using TPictureSizeQuestion = std::function<std::optional<QSize>(QWidget*, TModelDocument&)>;
  void SetPictureSizeQuestion(TPictureSizeQuestion question) { pictureSize_ = std::move(question); }

  std::optional<TListingOrder> HtmlOrder(QWidget* parent) override;
  std::optional<TReportOptions> ReportOptions(QWidget* parent, bool selectionExists,
                                              bool wholeModelOnly) override;
  std::optional<QSize> PictureSize(QWidget* parent, TModelDocument& document) override;
  void ShowReport(TTextReportForm& form) override;

 private:
  TPictureSizeQuestion pictureSize_;
};

class TPublishingCommands {
 public:
  TPublishingCommands(QWidget* parent, IDialogService& dialogs, IPublishingQuestions& questions)
      : parent_(parent), dialogs_(dialogs), questions_(questions)
  {
  }

  // Saving under ".htm"/".html": the options, the picture size, a question before replacing
  // a picture of the same name, then page and picture. True when written; failures are
  // reported through the dialogs.
  bool ExportHtml(TModelDocument& document, const QString& path);
  // "Save as HTML...": the save dialog, then ExportHtml.
  void SaveAsHtml(TModelDocument& document);
  // "&Text Report": the options and the report window.
  void TextReport(TModelDocument& document);
  // Saving under ".txt": the whole-model options, then the report as plain text. True when
  // written.
  bool SaveTextReport(TModelDocument& document, const QString& path);
  // "Publish Web Site...": the saved model and every model it links to as pages in a chosen
  // folder; what could not be published is listed in the closing message.
  void PublishSite(TModelDocument& document);

 private:
  QString InitialFolder(const TModelDocument& document) const;

  QWidget* parent_;
  IDialogService& dialogs_;
  IPublishingQuestions& questions_;
};
