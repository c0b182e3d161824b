// "Generate Report": which objects a text report covers, in which order, with or without
// the model's summary. For a report saved to a text file only the whole model is offered.
#pragma once

#include <QDialog>

#include "io/publishing/textreport.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TGenerateReportDialog : public QDialog {
  Q_OBJECT
 public:
  // selectionExists enables "Selected"; wholeModelOnly is the form for saving a text file.
  TGenerateReportDialog(bool selectionExists, bool wholeModelOnly, QWidget* parent = nullptr);
  // The choices; an empty or invalid page number counts as 1.
  TReportOptions Options() const;

  QRadioButton* CurrentView() const { return currentView_; }
  QRadioButton* WholeModel() const { return wholeModel_; }
  QRadioButton* Pages() const { return pages_; }
  QRadioButton* Selected() const { return selected_; }
  QLineEdit* From() const { return from_; }
  QLineEdit* To() const { return to_; }
  QCheckBox* SeparatePages() const { return separatePages_; }
  QRadioButton* ByPosition() const { return byPosition_; }
  QRadioButton* ByNumber() const { return byNumber_; }
  QCheckBox* IncludeSummary() const { return includeSummary_; }

 private:
  void UpdateSeparatePages();

  QRadioButton* currentView_;
  QRadioButton* wholeModel_;
  QRadioButton* pages_;
  QRadioButton* selected_;
  QLineEdit* from_;
  QLineEdit* to_;
  QCheckBox* separatePages_;
  QRadioButton* byPosition_;
  QRadioButton* byNumber_;
  QCheckBox* includeSummary_;
};
