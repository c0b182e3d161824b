// The three pictures of the Options dialog: the model's page area, a hexagon and a cluster,
// each drawn from the preferences being edited with the program's own object painting.
#pragma once

#include <QRect>
#include <QWidget>
#include <functional>

class QPainter;
class TPreferences;

class TOptionsPreview : public QWidget {
 public:
  enum class TKind { Model, Cogi, Cluster };

  TOptionsPreview(TKind kind, const TPreferences& preferences, QWidget* parent = nullptr);

  // Draws one picture into a rectangle of a painter's device.
  static void DrawModel(QPainter& painter, const QRect& box, const TPreferences& preferences,
                        const QColor& background);
  static void DrawCogi(QPainter& painter, const QRect& box, const TPreferences& preferences);
  static void DrawCluster(QPainter& painter, const QRect& box, const TPreferences& preferences);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TKind kind_;
  const TPreferences& preferences_;
};
