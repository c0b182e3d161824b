// The Magnifier: a small window that shows the active model enlarged (100 % to 300 %)
// around the point under the pointer.
#pragma once

#include <QPointer>
#include <QWidget>

#include "geometry/modelpoint.h"

class QMenu;
class TModelForm;

class TMagnifier : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMinScale = 100;
  static constexpr int kMaxScale = 300;
  static constexpr int kStep = 5;

  explicit TMagnifier(QWidget* parent = nullptr);

  // The model window it shows; its pointer moves set the centre. None shows nothing.
  void SetModel(TModelForm* form);
  TModelForm* Model() const { return form_; }
  void SetCentre(TModelPoint centre);
  TModelPoint Centre() const { return centre_; }
  void SetScale(int percent);
  int Scale() const { return scale_; }
  void Increase() { SetScale(scale_ + kStep); }
  void Decrease() { SetScale(scale_ - kStep); }
  QString ScaleCaption() const;
  // The picture the window shows at a size, and how many objects it drew.
  QImage Render(QSize size);
  int DrawnCount() const { return drawn_; }

 Q_SIGNALS:
  // Shown or hidden: the Magnifier button follows.
  void VisibilityChanged(bool visible);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QPointer<TModelForm> form_;
  QMetaObject::Connection pointer_;
  TModelPoint centre_;
  int scale_ = kMinScale;
  int drawn_ = 0;
  bool painting_ = false;
  QMenu* scaleMenu_;
  QWidget* view_;

  friend class TMagnifierView;
};
