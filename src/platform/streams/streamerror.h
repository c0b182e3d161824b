// The one exception type of file and stream code; its message is shown to the user as is.
#pragma once

#include <QString>
#include <stdexcept>

class EStreamError : public std::runtime_error {
 public:
  explicit EStreamError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message)
  {
  }
  const QString& Message() const { return message_; }

 private:
  QString message_;
};
