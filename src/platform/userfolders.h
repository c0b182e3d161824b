// Per-user places and names the program needs from the operating system.
#pragma once

#include <QString>

class TUserFolders {
 public:
  // The login name of the current user, or "User" when the system does not say.
  static QString CurrentUserName();
  // A folder private to the user that survives a reboot, for recovery and undo files;
  // created (mode 0700) when missing.
  static QString RecoveryFolder();
  // A path in folder named prefix + a part unique to this process and moment + suffix.
  static QString UniqueFileName(const QString& folder, const QString& prefix,
                                const QString& suffix);
};
