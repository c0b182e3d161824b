#include "app/toolbars/dropdownmenus.h"

#include <iterator>
#include <utility>

namespace {

// The Line Thickness items and their widths in quarter points.
const std::pair<const char*, int> kLineWidths[] = {
    {"Hairline", 0}, {"\u00bc pt", 1}, {"\u00bd pt", 2}, {"\u00be pt", 3},
    {"1 pt", 4},     {"2 pt", 8},      {"3 pt", 12},     {"4 pt", 16},
    {"5 pt", 20},    {"6 pt", 24},     {"8 pt", 32},     {"10 pt", 40}};

}  // namespace

TDropDownMenus::TDropDownMenus(QWidget* parent, THandlers handlers)
    : QObject(parent), handlers_(std::move(handlers))
{
  size_ = NewMenu(parent, QStringLiteral("SizeMenu"));
  const std::pair<const char*, int> sizes[] = {{"Small", 0}, {"Medium", 1}, {"Large", 2}};
  for (const auto& [caption, value] : sizes)
    connect(size_->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
            [this, value = value] {
              if (handlers_.Size) handlers_.Size(value);
            });

  fill_ = NewMenu(parent, QStringLiteral("FillMenu"));
  const std::pair<const char*, int> fills[] = {{"Solid", 0}, {"Clear", 1}};
  for (const auto& [caption, value] : fills)
    connect(fill_->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
            [this, value = value] {
              if (handlers_.Fill) handlers_.Fill(value);
            });
  fill_->addSeparator();
  fillProperties_ = fill_->addAction(QStringLiteral("Fill Properties..."));
  fillProperties_->setEnabled(static_cast<bool>(handlers_.FillProperties));
  connect(fillProperties_, &QAction::triggered, this, [this] {
    if (handlers_.FillProperties) handlers_.FillProperties();
  });

  // The values are quarter points.
  line_ = NewMenu(parent, QStringLiteral("LineThicknessMenu"));
  for (const auto& [caption, value] : kLineWidths)
    connect(line_->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
            [this, value = value] {
              if (handlers_.LineWidth) handlers_.LineWidth(value / 4.0);
            });
  line_->addSeparator();
  lineOther_ = line_->addAction(QStringLiteral("Other..."));
  connect(lineOther_, &QAction::triggered, this, [this] {
    if (handlers_.LineWidthOther) handlers_.LineWidthOther();
  });
  for (QMenu* menu : {size_, fill_, line_})
    for (QAction* item : menu->actions())
      item->setCheckable(!item->isSeparator());

  zoom_ = NewMenu(parent, QStringLiteral("ZoomMenu"));
  const std::pair<const char*, int> zooms[] = {
      {"Whole Model", 1}, {"10 %", 10},   {"25 %", 25},   {"50%", 50},    {"100 %", 100},
      {"125 %", 125},     {"150 %", 150}, {"200 %", 200}, {"300 %", 300}, {"400 %", 400}};
  for (const auto& [caption, value] : zooms)
    connect(zoom_->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
            [this, value = value] {
              if (handlers_.Zoom) handlers_.Zoom(value);
            });
  zoom_->addSeparator();
  connect(zoom_->addAction(QStringLiteral("Other...")), &QAction::triggered, this, [this] {
    if (handlers_.ZoomOther) handlers_.ZoomOther();
  });
}

QMenu* TDropDownMenus::NewMenu(QWidget* parent, const QString& name)
{
  auto* menu = new QMenu(parent);
  menu->setObjectName(name);
  return menu;
}

namespace {

// Checks the items of a menu by a rule; separators are left alone.
template <typename Rule>
void CheckItems(QMenu* menu, Rule rule)
{
  int index = 0;
  for (QAction* item : menu->actions())
    if (!item->isSeparator()) item->setChecked(rule(item, index++));
}

}  // namespace

void TDropDownMenus::CheckSize(int sizeCode)
{
  CheckItems(size_, [sizeCode](QAction*, int index) { return index == sizeCode; });
}

void TDropDownMenus::CheckFill(int fillStyle)
{
  const int item = fillStyle == 0 || fillStyle == 1 ? fillStyle : 2;
  CheckItems(fill_, [item](QAction*, int index) { return index == item; });
}

void TDropDownMenus::CheckLineWidth(double points)
{
  // The first item of exactly that width; after the list comes "Other...".
  int item = static_cast<int>(std::size(kLineWidths));
  for (int i = static_cast<int>(std::size(kLineWidths)) - 1; i >= 0; --i)
    if (kLineWidths[i].second / 4.0 == points) item = i;
  CheckItems(line_, [item](QAction*, int index) { return index == item; });
}
