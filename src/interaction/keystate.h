// Which keys are held down, kept from the window's press and release events: the platform
// offers no asynchronous key state, and the view keys act for every key held together.
#pragma once

#include <QSet>

class IKeyState {
 public:
  virtual ~IKeyState() = default;
  virtual bool IsDown(int qtKey) const = 0;
};

class TKeyState : public IKeyState {
 public:
  // Auto-repeated presses and releases of a held key change nothing.
  void Press(int qtKey, bool autoRepeat);
  void Release(int qtKey, bool autoRepeat);
  // The window lost the keyboard: releases it will not see must not leave keys held.
  void Clear() { down_.clear(); }
  bool IsDown(int qtKey) const override { return down_.contains(qtKey); }

 private:
  QSet<int> down_;
};
