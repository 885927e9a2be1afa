#pragma once

#include <exception>
#include <string>

namespace cubrava {

// What the box says about a failure that carries no text of its own.
extern const char* const UnknownErrorMessage;

// The text a failure carries (FatalError's), or UnknownErrorMessage.
std::string fatalErrorText(const std::exception_ptr& failure);

// Tells the player about an error that ends the program: the text goes to
// standard error and, when there is a display, into a box captioned
// "Bad News..." with the error icon. Returns once the box is closed; the
// caller then ends the process with a failure status.
void reportFatalError(const std::string& text);

} // namespace cubrava
