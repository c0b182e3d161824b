// One model window inside the main window's document area.
#pragma once

#include <QWidget>

class TModelForm : public QWidget {
  Q_OBJECT

public:
  explicit TModelForm(QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};
