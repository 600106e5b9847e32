#pragma once

#include <QString>
#include <stdexcept>

namespace vel {

// Every failure core reports carries the text shown to the user in the standard error box.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

class DatabaseError : public Error {
    using Error::Error;
};

class ConversionError : public Error {
    using Error::Error;
};

class FileError : public Error {
    using Error::Error;
};

}  // namespace vel
