// The Model Details dialog: who made the model and when, who saved it last, and its
// keywords, the one value that can be changed here.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class TModelDocument;

class TSummaryDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSummaryDlg(QWidget* parent = nullptr);

  void SetValues(const QString& createdBy, double createdTime, const QString& savedBy,
                 double savedTime, const QString& keywords);
  QString Keywords() const;
  QLineEdit& KeywordsBox() const { return *keywords_; }
  QString CreatedText() const;
  QString SavedText() const;
  bool SavedShown() const;

  // The longest keywords text kept.
  static constexpr int kMaxKeywords = 32767;

 private:
  QLabel* createdCaption_;
  QLabel* created_;
  QLabel* savedCaption_;
  QLabel* saved_;
  QLineEdit* keywords_;
};

// Summary Info: shows the model's details; on OK, keywords that differ are stored and
// recorded as "Keywords Changed". True when the keywords changed.
bool RunModelDetails(QWidget* parent, TModelDocument& document);
