#pragma once

#include <QString>

#include <stdexcept>

// A picture file that is missing, damaged, of an unknown kind, too large,
// or cannot be written.
class EPictureError : public std::runtime_error
{
public:
    explicit EPictureError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
