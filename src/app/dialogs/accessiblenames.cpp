#include "app/dialogs/accessiblenames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

QString TAccessibleNames::Plain(const QString& caption)
{
  QString plain;
  plain.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      // "&&" stands for one "&"; a lone "&" only marks the access key.
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        plain += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    plain += caption[i];
  }
  return plain;
}

void TAccessibleNames::NameControls(QWidget* root)
{
  if (!root) return;
  const auto name = [](QWidget* widget, const QString& caption) {
    const QString plain = Plain(caption).trimmed();
    if (widget->accessibleName().isEmpty() && !plain.isEmpty()) widget->setAccessibleName(plain);
  };
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      name(button, button->text().isEmpty() ? button->toolTip() : button->text());
    else if (auto* menu = qobject_cast<QMenu*>(widget))
      name(menu, menu->title());
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
      name(group, group->title());
    else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
      name(label->buddy(), label->text());
  }
}
