#include "TextureEntries.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace cubrava {

const char* const NoTextureEntry = "(None)";

namespace {

const char* const TextureFolderPrefix = "Textures/";

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char l, char r) { return lower(l) < lower(r); });
    bool greater = std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char l, char r) { return lower(l) < lower(r); });
    return less || (!greater && a < b); // names equal but for case keep one order
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char l, char r) { return lower(l) == lower(r); });
}

bool listable(const std::filesystem::directory_entry& entry)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!entry.is_regular_file(error))
        return false;
    std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.')
        return false;
    fs::perms permissions = entry.status(error).permissions();
    return !error && (permissions & fs::perms::owner_write) != fs::perms::none;
}

} // namespace

std::vector<std::string> textureBoxEntries(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (listable(*it))
            files.push_back(it->path().filename().string());
    std::sort(files.begin(), files.end(), lessIgnoringCase);
    files.insert(files.begin(), NoTextureEntry);
    return files;
}

int textureEntryFor(const std::vector<std::string>& entries, const std::string& textureName)
{
    if (textureName.empty())
        return 0;
    std::string::size_type cut = textureName.find_first_of("/\\");
    std::string file = cut == std::string::npos ? textureName : textureName.substr(cut + 1);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (equalIgnoringCase(entries[i], file))
            return static_cast<int>(i);
    return -1;
}

std::string textureNameOf(const std::vector<std::string>& entries, int entry)
{
    if (entry <= 0 || entry >= static_cast<int>(entries.size()))
        return "";
    return TextureFolderPrefix + entries[entry];
}

} // namespace cubrava
