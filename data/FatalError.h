#pragma once

#include <stdexcept>
#include <string>

namespace cubrava {

// A problem that makes the program unusable. It carries the text shown to the
// player and is caught only at the entry point or at the edge of a toolkit
// callback, which hands it on to the entry point's handler.
class FatalError : public std::runtime_error {
public:
    explicit FatalError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace cubrava
