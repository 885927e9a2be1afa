#include "StatusMessages.h"

#include "data/SectionLists.h"

namespace cubrava {

const char* const StatusFileName = "Config/Status.dat";
const char* const StatusErrorMessage = "There was an error reading the Status configuration file.\n"
                                       "You may want to reinstall the game before playing again.";

void readStatusMessagesFrom(const std::string& path, StatusMessages& lists)
{
    auto read = readSectionLists(path, { "start", "win", "lose", "random" }, "msg", StatusErrorMessage);
    for (std::size_t list = 0; list < lists.size(); ++list)
        lists[list].insert(lists[list].end(), read[list].begin(), read[list].end());
}

void readStatusMessages(StatusMessages& lists)
{
    readStatusMessagesFrom(StatusFileName, lists);
}

} // namespace cubrava
