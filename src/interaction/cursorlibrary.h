// The program's mouse cursors by number: its own pictures (loaded once from a folder holding
// the table "cursors.txt" and the PNG files it names, at 1x and 2x), the platform's standard
// shapes for the negative numbers, and the renumber cursor drawn at run time for a number.
#pragma once

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

#include "interaction/cursorid.h"

class TCursorLibrary {
 public:
  // Loads the table and every picture it names from `folder`; what is missing or unusable is
  // noted in Messages() and its number shows the default arrow.
  explicit TCursorLibrary(const QString& folder = QStringLiteral(":/cursors/"));

  // The library the whole program shares, loaded on first use from the resources.
  static TCursorLibrary& Shared();

  // The load's messages ("Cursor not found " and the full path, one per missing file), handed
  // over once: a second call returns an empty list.
  QStringList TakeMessages();

  // The cursor for `id`; `frame` counts on from 0 and wraps; `devicePixelRatio` above 1 picks
  // the 2x picture, which shows at the same logical size.
  QCursor Cursor(int id, int frame = 0, qreal devicePixelRatio = 1.0) const;
  // 1 for still cursors and for the numbers without our own picture.
  int FrameCount(int id) const;
  // Milliseconds between frames; 0 for a still cursor.
  int FrameInterval(int id) const;
  bool HasPicture(int id) const { return cursors_.contains(id); }

  // Draws the renumber cursor (crRenumber) for `number`, replacing the previous one.
  void BuildRenumberCursor(int number);
  // Goes up whenever a cursor is replaced, so that a window showing the old one sets it again.
  int Revision() const { return revision_; }

  // The renumber picture: `base` (black, white and silver C0C0C0) with `number` written on it
  // in red, shrunk to fit the width and clipped past it.
  static QImage RenumberPicture(const QImage& base, int number);
  // A monochrome cursor from such a picture: black stays black, white white, silver is clear
  // and red inverts the screen where the platform can.
  static QCursor MonochromeCursor(const QImage& picture, QPoint hotSpot);

 private:
  struct TFrames {
    std::vector<QCursor> normal;
    std::vector<QCursor> sharp;  // for 2x screens; the normal one where no 2x picture loaded
    int interval = 0;
  };

  void LoadTable(const QString& folder);
  bool ParseLine(const QString& line, int& id, QString& stem, QPoint& hotSpot, int& frames,
                 int& interval) const;
  void LoadCursor(const QString& folder, int id, const QString& stem, QPoint hotSpot, int frames,
                  int interval);
  // The picture at `path` when it exists, can be read and is `size` pixels square; a missing
  // file is noted, null otherwise.
  QImage LoadPicture(const QString& path, int size);

  QHash<int, TFrames> cursors_;
  QImage renumberBase_;
  QCursor renumber_;
  bool renumberBuilt_ = false;
  int revision_ = 0;
  QStringList messages_;
};
