// UTF-8/UTF-16 conversion, line endings and Base64 on the real Windows
// converters (under Wine here).
#include <gtest/gtest.h>

#include "images.h"
#include "win32_engine.h"

namespace {

std::string bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

TEST(Utf8ToWide, EmptyAndRoundTrips) {
    EXPECT_EQ(utf8_to_wide(""), L"");
    EXPECT_EQ(wide_to_utf8(L""), "");

    const std::string label = "Emiss\xC3\xA3o Total (Ton CO\xE2\x82\x82):";
    EXPECT_EQ(utf8_to_wide(label), L"Emiss\u00E3o Total (Ton CO\u2082):");
    EXPECT_EQ(wide_to_utf8(utf8_to_wide(label)), label);

    // U+1F333 needs a surrogate pair and comes back as its four bytes.
    const std::string tree = "\xF0\x9F\x8C\xB3";
    std::wstring wide = utf8_to_wide(tree);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], 0xD83C);
    EXPECT_EQ(wide[1], 0xDF33);
    EXPECT_EQ(wide_to_utf8(wide), tree);
}

TEST(Utf8ToWide, MalformedAndEmbeddedNul) {
    EXPECT_EQ(utf8_to_wide(bytes({0x61, 0xFF, 0x62})), L"a\uFFFDb");
    // Conversion stops at the first NUL byte.
    EXPECT_EQ(utf8_to_wide(bytes({0x61, 0x62, 0x00, 0x63, 0x64})), L"ab");
    EXPECT_EQ(utf8_to_wide(bytes({0x00, 0x61})), L"");
}

TEST(WideToUtf8, LoneSurrogateAndEmbeddedNul) {
    std::wstring lone = L"a";
    lone += wchar_t(0xD800);
    lone += L"b";
    EXPECT_EQ(wide_to_utf8(lone), bytes({0x61, 0xEF, 0xBF, 0xBD, 0x62}));
    EXPECT_EQ(wide_to_utf8(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST(NormalizeCrlf, Table) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {bytes({0x61, 0x0A, 0x62}), bytes({0x61, 0x0D, 0x0A, 0x62})},
        {bytes({0x61, 0x0D, 0x0A, 0x62}), bytes({0x61, 0x0D, 0x0A, 0x62})},
        {bytes({0x0A}), bytes({0x0D, 0x0A})},
        {bytes({0x0A, 0x0A}), bytes({0x0D, 0x0A, 0x0D, 0x0A})},
        {bytes({0x61, 0x0D, 0x62}), bytes({0x61, 0x0D, 0x62})},
        {bytes({0x0D, 0x0D, 0x0A}), bytes({0x0D, 0x0D, 0x0A})},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(normalize_crlf(c.in), c.out) << testing::PrintToString(c.in);
        EXPECT_EQ(normalize_crlf(c.out), c.out) << "not idempotent on " << testing::PrintToString(c.out);
    }
}

TEST(DecodeB64, RejectsWhatIsNotBase64) {
    EXPECT_TRUE(decode_b64("").empty());
    EXPECT_TRUE(decode_b64("@@@@").empty());
    EXPECT_TRUE(decode_b64("iVBO*w0K").empty());
    std::vector<unsigned char> hi = decode_b64("aGk=");
    EXPECT_EQ(std::string(hi.begin(), hi.end()), "hi");
}

TEST(DecodeB64, PanelImageIsTheSeventyBytePng) {
    std::vector<unsigned char> png = decode_b64(PANEL_PNG_B64);
    ASSERT_EQ(png.size(), 70u);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

TEST(DecodeB64, LogoDecodesToTheSvgDocument) {
    std::vector<unsigned char> svg = decode_b64(LOGO_SVG_B64);
    ASSERT_GT(svg.size(), 5u);
    EXPECT_EQ(std::string(svg.begin(), svg.begin() + 5), "<?xml");
}

}  // namespace
