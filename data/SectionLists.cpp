#include "SectionLists.h"

#include "XmlDocument.h"

#include <tinyxml.h>

namespace cubrava {

std::vector<std::vector<std::string>> readSectionLists(const std::string& path,
    const std::vector<std::string>& sections, const std::string& item, const char* errorMessage)
{
    TiXmlDocument document;
    const TiXmlElement& root = loadConfigDocument(path, document, errorMessage);

    std::vector<std::vector<std::string>> lists(sections.size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const TiXmlElement* section = root.FirstChildElement(sections[i]);
        if (!section)
            continue;
        for (const TiXmlElement* e = section->FirstChildElement(item); e; e = e->NextSiblingElement(item)) {
            const TiXmlNode* content = e->FirstChild();
            if (content && content->Value() && *content->Value())
                lists[i].emplace_back(content->Value());
        }
    }
    return lists;
}

} // namespace cubrava
