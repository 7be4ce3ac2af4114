#pragma once

#include <QString>

#include <stdexcept>

// A failure of the mail message, its encoder or the e-mail draft command,
// with a text the user can read.
class EMailError : public std::runtime_error
{
public:
    explicit EMailError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
