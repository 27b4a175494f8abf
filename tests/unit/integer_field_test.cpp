#include "window/integer_field.h"

#include <gtest/gtest.h>

#include <string>

namespace ts {
namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

struct NormaliseCase {
    const char* name;
    std::u16string text;
    std::u16string expected;
};

TEST(IntegerField, NormalisesToTheLeadingClampedInteger) {
    const NormaliseCase cases[] = {
        {"already normal", u"60", u"60"},
        {"negative normal", u"-5", u"-5"},
        {"leading zeros", u"007", u"7"},
        {"zero becomes empty", u"0", u""},
        {"minus zero becomes empty", u"-0", u""},
        {"many zeros become empty", u"0000", u""},
        {"empty stays empty", u"", u""},
        {"letters only", u"abc", u""},
        {"trailing junk", u"12ab", u"12"},
        {"leading spaces", u"  8", u"8"},
        {"leading tab and newline", u"\t\n9", u"9"},
        {"sign in the middle", u"5-3", u"5"},
        {"plus sign dropped", u"+42", u"42"},
        {"lone minus", u"-", u""},
        {"two signs", u"--5", u""},
        {"decimal point ends it", u"1.9", u"1"},
        {"full-width digits are not digits", u"１２", u""},
        {"largest", u"2147483647", u"2147483647"},
        {"one above the largest", u"2147483648", u"2147483647"},
        {"smallest", u"-2147483648", u"-2147483648"},
        {"one below the smallest", u"-2147483649", u"-2147483648"},
        {"25 nines", u"9999999999999999999999999", u"2147483647"},
        {"25 negative nines", u"-9999999999999999999999999", u"-2147483648"},
        {"200 digits with leading zeros", std::u16string(190, u'0') + u"0000000042", u"42"},
        {"huge then junk", u"99999999999999999999x1", u"2147483647"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(NormaliseIntegerText(c.text)), Narrow(c.expected))
            << c.name << ": from \"" << Narrow(c.text) << "\"";
    }
}

TEST(IntegerField, NormalTextIsAFixedPoint) {
    for (const char16_t* text : {u"1", u"-1", u"35791", u"2147483647", u"-2147483648", u""}) {
        EXPECT_EQ(NormaliseIntegerText(text), text) << Narrow(text);
    }
}

TEST(IntegerField, TypingFilterLetsOnlyDigitsMinusAndControlCharactersThrough) {
    for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_TRUE(IntegerFieldAccepts(c)) << char(c);
    EXPECT_TRUE(IntegerFieldAccepts(u'-'));
    // Backspace, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z and the rest of the control range.
    for (char16_t c : {u'\b', char16_t(0x03), char16_t(0x16), char16_t(0x18), char16_t(0x1A),
                       char16_t(0x00), char16_t(0x1F), u'\r', u'\t'}) {
        EXPECT_TRUE(IntegerFieldAccepts(c)) << "control character " << int(c);
    }
    for (char16_t c : {u' ', u'+', u'.', u'a', u'Z', u'/', u':', u'e', char16_t(0x7F),
                       char16_t(0xFF11) /* full-width 1 */, char16_t(0x3000), u'分'}) {
        EXPECT_FALSE(IntegerFieldAccepts(c)) << "character " << int(c);
    }
}

}  // namespace
}  // namespace ts
