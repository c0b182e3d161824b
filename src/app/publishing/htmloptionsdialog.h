// "HTML Options": the order in which the page lists the model's objects.
#pragma once

#include <QDialog>

#include "io/publishing/objectlisting.h"

class QRadioButton;

class THtmlOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit THtmlOptionsDialog(QWidget* parent = nullptr);
  TListingOrder Order() const;
  QRadioButton* ByPosition() const { return byPosition_; }
  QRadioButton* ByNumber() const { return byNumber_; }

 private:
  QRadioButton* byPosition_;
  QRadioButton* byNumber_;
};
