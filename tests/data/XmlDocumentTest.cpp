#include "data/XmlDocument.h"
#include "data/FatalError.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>

using namespace cubrava;

namespace {

const char* const Message = "bad file";

// The root's name, or the failure's text.
std::string load(const std::string& path)
{
    try {
        TiXmlDocument document;
        return loadConfigDocument(path, document, Message).ValueStr();
    } catch (const FatalError& e) {
        return e.what();
    }
}

std::string nested(std::size_t depth)
{
    std::string text;
    for (std::size_t i = 0; i < depth; ++i)
        text += "<a>";
    for (std::size_t i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

// How deep the elements the parser built go (it keeps what it built before
// giving up).
std::size_t builtDepth(const TiXmlNode& node)
{
    std::size_t deepest = 0;
    for (const TiXmlNode* child = node.FirstChild(); child; child = child->NextSibling())
        if (child->ToElement())
            deepest = std::max(deepest, 1 + builtDepth(*child));
    return deepest;
}

} // namespace

TEST(ConfigDocument, RefusesWhatIsNotASmallRegularFileWithoutReadingIt)
{
    ScratchDir dir;
    std::filesystem::create_directories("Config");
    EXPECT_EQ(load("Config/Missing.dat"), Message);
    ASSERT_EQ(::mkfifo("Config/Pipe.dat", 0600), 0);
    EXPECT_EQ(load("Config/Pipe.dat"), Message) << "a pipe nobody writes to must not hang";

    dir.write("Config/Big.dat", "<big/>");
    std::filesystem::resize_file("Config/Big.dat", kMaxConfigBytes);
    EXPECT_EQ(load("Config/Big.dat"), "big") << "the largest allowed";
    std::filesystem::resize_file("Config/Big.dat", kMaxConfigBytes + 1);
    EXPECT_EQ(load("Config/Big.dat"), Message);
}

TEST(ConfigDocument, RefusesDocumentsNestedDeeperThanAnyOfOursUnparsed)
{
    ScratchDir dir;
    dir.write("Deepest.dat", nested(kMaxConfigNesting));
    EXPECT_EQ(load("Deepest.dat"), "a");
    dir.write("TooDeep.dat", nested(kMaxConfigNesting + 1));
    EXPECT_EQ(load("TooDeep.dat"), Message);
}

TEST(ConfigDocument, ReadsLikeTheParsersOwnFileLoading)
{
    ScratchDir dir;
    dir.write("Windows.dat", "\xEF\xBB\xBF<r>\r\n<m v='one\r\ntwo\rthree'/></r>\r\n");
    TiXmlDocument document;
    const TiXmlElement& root = loadConfigDocument("Windows.dat", document, Message);
    EXPECT_EQ(root.ValueStr(), "r") << "a byte order mark is not content";
    EXPECT_STREQ(root.FirstChildElement("m")->Attribute("v"), "one\ntwo\nthree");

    dir.write("Empty.dat", "");
    EXPECT_EQ(load("Empty.dat"), Message);
    dir.write("Broken.dat", "<r><m></r>");
    EXPECT_EQ(load("Broken.dat"), Message);
    dir.write("NoRoot.dat", "<!-- nothing -->");
    EXPECT_EQ(load("NoRoot.dat"), Message);
}

TEST(ElementNesting, CountsOnlyWhatTheParserTakesForElements)
{
    EXPECT_EQ(elementNesting("<a><b/><c x='/>' y=\">\"><d></d></c></a>"), 3u);
    EXPECT_EQ(elementNesting("<a><!-- <b><c> --><![CDATA[<b><c>]]><?pi <b>?></a>"), 1u);
    EXPECT_EQ(elementNesting("<a>&#x<b><c>x41;</a>"), 1u) << "a character reference spans to its ';'";
    EXPECT_EQ(elementNesting("<a x=\"&#x\"></a></a>x41;\"><b><c>"), 3u) << "also in a quoted value";
    EXPECT_EQ(elementNesting("<?xml version='>' encoding='<!--' ?><a><b>"), 2u);
    EXPECT_EQ(elementNesting(nested(100000), 64), 65u) << "counting stops past the bound";
}

// Against TinyXML itself: random documents made of the pieces its reading
// turns on, nesting never counted lower than the parser descends.
TEST(ElementNesting, NeverCountsLessThanTheParserDescends)
{
    // Whole pieces of markup, several times over so that documents get deep,
    // and the fragments a hostile file would cut them into.
    const char* const pieces[] = { "<a>", "<a>", "<a>", "<a x='1'>", "<a x = \"/>\">", "<a v='</a>'>", "<a/>", "</a>",
        "</a>", "text", "&#x41;", "&#65;", "&amp;", "<!-- </a> -->", "<![CDATA[</a>]]>", "<?xml v='>'?>",
        "<?xml version='</a>'?>", "<!DOCTYPE </a>>", "<?pi </a>?>", "<a", "<_", "<\xC3", "< a", "<1", ">", "/>", "/",
        "</", "\"", "'", "=", " ", "\n", "x", "<!--", "-->", "<![CDATA[", "]]>", "<?xml", "<?XML ", "?>", "<!",
        "version", "encoding=", "&#x", "&#", "x41;", ";", "9", "&", "\xEF\xBB\xBF", "\xC3", "<a v=\"&#x\">", "<a v='&#",
        "x41;\">", "';'>", "<?xml version='", "<?xml encoding=\"", "'?>", "\"?>", "<a v='", "'>" };
    std::mt19937 random(20240611);
    int deeper = 0;
    for (int round = 0; round < 200000; ++round) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        TiXmlDocument document;
        document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
        const std::size_t built = builtDepth(document);
        ASSERT_GE(elementNesting(text), built) << text;
        deeper += built >= 3;
    }
    EXPECT_GT(deeper, 2000) << "too few deep documents for the comparison to mean much";
}
