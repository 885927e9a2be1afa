#include "ConfigCopy.h"

#include "FatalError.h"
#include "FileReplace.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

namespace cubrava {

namespace fs = std::filesystem;

namespace {

const char* const PartialSuffix = ".copying";

fs::path partialPathFor(const fs::path& path)
{
    return path.parent_path() / ("." + path.filename().string() + PartialSuffix);
}

std::string readWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (!in.is_open() || in.bad())
        throw FatalError("Could not read " + path.string() + ".");
    return text;
}

// The text of a file, or nothing when there is none. Anything else standing
// at the name (a folder, say) is someone's own and reads as unknown text.
struct Found {
    bool exists = false;
    std::optional<std::string> text;
};

Found look(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return {};
    if (!fs::is_regular_file(status))
        return { true, std::nullopt };
    return { true, readWhole(path) };
}

void write(const fs::path& path, const std::string& text)
{
    if (!replaceFileVia(path.string(), partialPathFor(path).string(), text))
        throw FatalError("Could not write " + path.string() + ": " + std::strerror(errno) + ".");
}

void clearPartials(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t suffix = std::strlen(PartialSuffix);
        if (name.size() > suffix + 1 && name.front() == '.'
            && name.compare(name.size() - suffix, suffix, PartialSuffix) == 0)
            fs::remove(it->path(), error);
    }
}

void makeFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw FatalError("Could not make the folder " + folder.string() + ".");
}

} // namespace

std::vector<std::string> refreshConfigCopies(const fs::path& shipped, const fs::path& target, const fs::path& record)
{
    makeFolder(target);
    makeFolder(record);
    clearPartials(target);
    clearPartials(record);

    std::vector<fs::path> sources;
    std::error_code error;
    for (fs::directory_iterator it(shipped, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error))
            sources.push_back(it->path());
    if (error)
        throw FatalError("Could not read the folder " + shipped.string() + ".");
    std::sort(sources.begin(), sources.end());

    std::vector<std::string> kept;
    for (const fs::path& source : sources) {
        const fs::path name = source.filename();
        const std::string text = readWhole(source);
        const Found current = look(target / name);
        const Found last = look(record / name);
        if (current.text == text) {
            if (last.text != text)
                write(record / name, text);
        } else if (!current.exists || (current.text && current.text == last.text)) {
            write(target / name, text);
            write(record / name, text);
        } else {
            kept.push_back(name.string());
        }
    }
    return kept;
}

} // namespace cubrava
