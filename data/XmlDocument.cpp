#include "XmlDocument.h"

#include "FatalError.h"

#include <tinyxml.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace cubrava {

namespace {

// Reads a regular file of at most `limit` bytes whole; nothing otherwise.
std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text;
    char chunk[1 << 16];
    // By chunks, not by the size the file claims: it may change as we read.
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        if (text.size() + static_cast<std::size_t>(file.gcount()) > limit)
            return std::nullopt;
        text.append(chunk, static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad())
        return std::nullopt;
    return text;
}

// What the parser is given: the text up to any NUL (it reads no further),
// without a UTF-8 byte order mark, CR LF and CR turned into LF as its own
// file loading would.
std::string parserText(const std::string& file)
{
    std::size_t from = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string out;
    out.reserve(file.size() - from);
    for (std::size_t i = from; i < file.size() && file[i] != '\0'; ++i) {
        if (file[i] == '\r') {
            out += '\n';
            if (i + 1 < file.size() && file[i + 1] == '\n')
                ++i;
        } else {
            out += file[i];
        }
    }
    return out;
}

// Follows TinyXML's reading of a document byte by byte (its legacy
// encoding, which loadConfigDocument asks for) as far as elements open and
// close, and stops where TinyXML would give up.
class NestingScanner {
public:
    explicit NestingScanner(const std::string& text)
        : text_(text)
    {
    }

    std::size_t run(std::size_t stopAbove)
    {
        while (more() && deepest_ <= stopAbove) {
            if (here() == '<')
                markup();
            else
                textCharacter();
        }
        return deepest_;
    }

private:
    bool more() const { return at_ < text_.size(); }
    char here() const { return text_[at_]; }
    char ahead(std::size_t n) const { return at_ + n < text_.size() ? text_[at_ + n] : '\0'; }
    void giveUp() { at_ = text_.size(); }

    static bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r'; }
    static bool startsName(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 127 || std::isalpha(byte) || c == '_';
    }
    static bool inName(char c)
    {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 127 || std::isalnum(byte) || c == '_' || c == '-' || c == '.' || c == ':';
    }
    static bool isDecimal(char c) { return c >= '0' && c <= '9'; }
    static bool isHex(char c) { return isDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

    bool startsWith(const char* prefix) const { return text_.compare(at_, std::strlen(prefix), prefix) == 0; }

    bool startsWithAnyCase(const char* lowerPrefix) const
    {
        for (std::size_t i = 0; lowerPrefix[i] != '\0'; ++i)
            if (std::tolower(static_cast<unsigned char>(ahead(i))) != lowerPrefix[i])
                return false;
        return true;
    }

    // Moves past the first `end` found `from` characters on, or to the end.
    void skipPast(const char* end, std::size_t from)
    {
        const std::size_t found = text_.find(end, at_ + from);
        at_ = found == std::string::npos ? text_.size() : found + std::strlen(end);
    }

    void skipSpace()
    {
        while (more() && isSpace(here()))
            ++at_;
    }

    void skipName()
    {
        while (more() && inName(here()))
            ++at_;
    }

    // One character of text or of a quoted value. A numeric reference runs
    // to the first ';' and may span anything, quotes and '<' included.
    void textCharacter()
    {
        if (here() != '&') {
            ++at_;
            return;
        }
        if (ahead(1) == '#' && ahead(2) != '\0') {
            const bool hex = ahead(2) == 'x';
            if (hex && ahead(3) == '\0')
                return giveUp();
            const std::size_t end = text_.find(';', at_ + (hex ? 3 : 2));
            if (end == std::string::npos)
                return giveUp();
            // The digits are those after the last 'x' (or '#') before the ';'.
            for (std::size_t q = end - 1; text_[q] != (hex ? 'x' : '#'); --q)
                if (!(hex ? isHex(text_[q]) : isDecimal(text_[q])))
                    return giveUp();
            at_ = end + 1;
            return;
        }
        for (const char* named : { "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" }) {
            if (startsWith(named)) {
                at_ += std::strlen(named);
                return;
            }
        }
        ++at_;
    }

    // After '=' and any blanks: a quoted or a bare value.
    void attributeValue()
    {
        if (!more())
            return giveUp();
        const char quote = here();
        if (quote == '"' || quote == '\'') {
            ++at_;
            while (more() && here() != quote)
                textCharacter();
            if (!more())
                return giveUp();
            ++at_;
            return;
        }
        for (; more() && !isSpace(here()) && here() != '/' && here() != '>'; ++at_)
            if (here() == '"' || here() == '\'')
                return giveUp();
    }

    // name = value, from the name on.
    void attribute()
    {
        if (!startsName(here()))
            return giveUp();
        skipName();
        skipSpace();
        if (!more() || here() != '=')
            return giveUp();
        ++at_;
        skipSpace();
        attributeValue();
    }

    void markup()
    {
        if (startsWithAnyCase("<?xml"))
            declaration();
        else if (startsWith("<!--"))
            skipPast("-->", 4);
        else if (startsWith("<![CDATA["))
            skipPast("]]>", 9);
        else if (startsWith("<!"))
            skipPast(">", 2);
        else if (startsWith("</")) {
            if (depth_ > 0)
                --depth_;
            skipPast(">", 2);
        } else if (startsName(ahead(1)))
            element();
        else
            skipPast(">", 1);
    }

    void element()
    {
        if (++depth_ > deepest_)
            deepest_ = depth_;
        ++at_;
        skipName();
        while (more()) {
            skipSpace();
            if (!more())
                break;
            if (here() == '/') {
                if (ahead(1) != '>')
                    break;
                at_ += 2;
                --depth_;
                return;
            }
            if (here() == '>') {
                ++at_;
                return;
            }
            attribute();
        }
        giveUp();
    }

    // Only version, encoding and standalone are read as attributes; any
    // other word runs to a blank or '>'.
    void declaration()
    {
        at_ += 5;
        while (more()) {
            if (here() == '>') {
                ++at_;
                return;
            }
            skipSpace();
            if (startsWithAnyCase("version") || startsWithAnyCase("encoding") || startsWithAnyCase("standalone")) {
                attribute();
                continue;
            }
            while (more() && here() != '>' && !isSpace(here()))
                ++at_;
        }
    }

    const std::string& text_;
    std::size_t at_ = 0;
    std::size_t depth_ = 0;
    std::size_t deepest_ = 0;
};

} // namespace

std::size_t elementNesting(const std::string& text, std::size_t stopAbove)
{
    return NestingScanner(text).run(stopAbove);
}

const TiXmlElement& loadConfigDocument(const std::string& path, TiXmlDocument& document, const char* errorMessage)
{
    const std::optional<std::string> file = readSmallFile(path, kMaxConfigBytes);
    if (!file)
        throw FatalError(errorMessage);
    const std::string text = parserText(*file);
    // The parser recurses once per level: a deep document must not reach it.
    if (elementNesting(text, kMaxConfigNesting) > kMaxConfigNesting)
        throw FatalError(errorMessage);
    // One byte is one character throughout, whatever the document declares,
    // so that the nesting count above reads it as the parser does.
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    if (document.Error())
        throw FatalError(errorMessage);
    const TiXmlElement* root = document.FirstChildElement();
    if (!root)
        throw FatalError(errorMessage);
    return *root;
}

} // namespace cubrava
