#pragma once

#include <QString>

#include <stdexcept>

// A failure of the archive component, carrying its fixed English text.
class EZipError : public std::runtime_error
{
public:
    explicit EZipError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
