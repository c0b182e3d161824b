// Per-user places and names the program needs from the operating system.
#pragma once

#include <QString>

class TUserFolders {
 public:
  // The login name of the current user, or "User" when the system does not say.
  static QString CurrentUserName();
  // The folder private to the user that survives a reboot, for recovery and undo files. Only
  // the path: commands that record no edit must leave the disk alone.
  static QString RecoveryFolder();
  // Creates the recovery folder when missing and makes it private (mode 0700) every time it
  // is about to be used, since a folder made by someone else may be open to all; false when
  // it cannot be made so.
  static bool PrepareRecoveryFolder();
  // A path in folder named prefix + a part unique to this process and moment + suffix.
  static QString UniqueFileName(const QString& folder, const QString& prefix,
                                const QString& suffix);
};
