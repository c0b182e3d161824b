// The splash window: borderless, on top of everything, centred on the screen. At start it
// shows the start-up picture without blocking; Help > About shows the About picture modally
// until it is clicked.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPointer>

class TSplashForm : public QDialog {
  Q_OBJECT

 public:
  // Creates the splash window (replacing one still shown). With about it runs modally and
  // returns when the picture is clicked.
  static void ShowSplash(bool about);
  // Hides and frees it; nothing when none is shown.
  static void HideSplash();
  static TSplashForm* Current() { return current_; }

  bool ShowsAbout() const { return about_; }
  // Our own artwork: the start-up picture (575 x 371) and the About picture (450 x 378).
  static QImage Picture(bool about);
  // The program's icon, a small honeycomb of ideas, at the sizes desktops ask for.
  static QIcon ProgramIcon();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  explicit TSplashForm(bool about);

  bool about_;
  QImage picture_;
  static QPointer<TSplashForm> current_;
};
