#include "app/modelform.h"

#include <QPainter>

TModelForm::TModelForm(QWidget* parent) : QWidget(parent)
{
  setWindowTitle(QStringLiteral("Untitled.mdl"));
  setMinimumSize(160, 120);
}

void TModelForm::paintEvent(QPaintEvent*)
{
  // The window colour around the model area; the model itself is painted by the document.
  QPainter painter(this);
  painter.fillRect(rect(), QColor(215, 214, 255));
}
