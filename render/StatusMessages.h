#pragma once

#include <array>
#include <string>
#include <vector>

namespace cubrava {

extern const char* const StatusFileName;
extern const char* const StatusErrorMessage;

// The four message lists, by list index.
enum StatusList : int { StartMessages = 0, WinMessages = 1, LoseMessages = 2, RandomMessages = 3 };
constexpr int StatusListCount = 4;

using StatusMessages = std::array<std::vector<std::string>, StatusListCount>;

// Appends the messages of the file to the lists. A file that cannot be loaded
// or has no root element raises the Status error; missing sections and empty
// messages are not errors.
void readStatusMessagesFrom(const std::string& path, StatusMessages& lists);
void readStatusMessages(StatusMessages& lists);

} // namespace cubrava
