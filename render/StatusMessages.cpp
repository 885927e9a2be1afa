#include "StatusMessages.h"

#include "data/FatalError.h"

#include <tinyxml.h>

namespace cubrava {

const char* const StatusFileName = "Config/Status.dat";
const char* const StatusErrorMessage = "There was an error reading the Status configuration file.\n"
                                       "You may want to reinstall the game before playing again.";

namespace {

const char* const SectionNames[StatusListCount] = { "start", "win", "lose", "random" };

} // namespace

void readStatusMessagesFrom(const std::string& path, StatusMessages& lists)
{
    TiXmlDocument document(path);
    if (!document.LoadFile())
        throw FatalError(StatusErrorMessage);
    const TiXmlElement* root = document.FirstChildElement();
    if (!root)
        throw FatalError(StatusErrorMessage);

    for (int list = 0; list < StatusListCount; ++list) {
        const TiXmlElement* section = root->FirstChildElement(SectionNames[list]);
        if (!section)
            continue;
        for (const TiXmlElement* msg = section->FirstChildElement("msg"); msg; msg = msg->NextSiblingElement("msg")) {
            const TiXmlNode* content = msg->FirstChild();
            if (!content || !content->Value() || !*content->Value())
                continue;
            lists[static_cast<std::size_t>(list)].push_back(content->Value());
        }
    }
}

void readStatusMessages(StatusMessages& lists)
{
    readStatusMessagesFrom(StatusFileName, lists);
}

} // namespace cubrava
