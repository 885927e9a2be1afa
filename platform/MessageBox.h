#pragma once

#include <string>

namespace cubrava {

enum class MessageIcon {
    Error,
    Warning, // an exclamation mark
    Information,
    Question,
};

enum class MessageAnswer {
    Yes,
    No,
    Cancel,
};

// Shows a modal box with the caption, the text and an OK button, and returns
// once it is closed. Without a display the text goes to standard error instead.
// In the box Ctrl+C copies the text to the clipboard.
void showMessage(const std::string& caption, const std::string& text, MessageIcon icon);

// Asks a question with the buttons Yes, No and Cancel; Return picks Yes and
// Escape or closing the box picks Cancel. Without a display the answer is Cancel.
MessageAnswer askYesNoCancel(const std::string& caption, const std::string& text);

} // namespace cubrava
