#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the program: an operation that cannot complete throws it with the text the
// user is to read; the top-level guard around each command shows that text in the error box.
class Exception : public std::exception {
 public:
  explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
  const QString& Message() const { return FMessage; }
  const char* what() const noexcept override { return FUtf8.constData(); }

 private:
  QString FMessage;
  QByteArray FUtf8;
};

// A text that does not convert to the number asked for.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
