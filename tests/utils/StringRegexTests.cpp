#include "app/utils/RegexPatterns.h"
#include "app/utils/StringRegex.h"

#include <gtest/gtest.h>

#include <unicode/utypes.h>

TEST(FixedPatterns, AcceptAndRejectWhatTheChecksNeed)
{
    struct Case {
        const QString& pattern;
        QString text;
        bool matches;
    };
    const Case cases[] = {
        {kEmailRegex, "john.doe+sms@example.com", true},
        {kEmailRegex, "a_b%c@my-host.museum and more", true},
        {kEmailRegex, "user@host.c", false},
        {kEmailRegex, "user@localhost", false},
        {kEmailRegex, " user@example.com", false},
        {kEmailRegex, "@example.com", false},
        {kBirthdayRegex, "31/12/1999", true},
        {kBirthdayRegex, "01/01/0001", true},
        {kBirthdayRegex, "00/12/1999", false},
        {kBirthdayRegex, "31/12/0000", false},
        {kBirthdayRegex, "15/13/1999", false},
        {kBirthdayRegex, "32/01/1999", false},
        {kContactNumberRegex, "0123456789", true},
        {kContactNumberRegex, "01234567890123", true},
        {kContactNumberRegex, "012345678", false},
        {kContactNumberRegex, "+123456789012", false},
        {kPhoneBookNameItemRegex, "Alice", true},
        {kPhoneBookNameItemRegex, "\u674e\u56db", true},
        {kPhoneBookNameItemRegex, "", false},
        {kPhoneBookNameItemRegex, "Alice Smith", false},
        {kPhoneBookNameItemRegex, "Alice ", false},
        {kPhoneBookNameEdgeBlankRegex, " Alice", true},
        {kPhoneBookNameEdgeBlankRegex, "Alice\t", true},
        {kPhoneBookNameEdgeBlankRegex, "Alice Smith", false},
        {kPhoneBookNameEdgeBlankRegex, "", false},
        {kPhoneBookNumberRegex, "+8613800138000", true},
        {kPhoneBookNumberRegex, "*100#|2", true},
        {kPhoneBookNumberRegex, "", true},
        {kPhoneBookNumberRegex, "138-0013", false},
        {kPhoneBookNumberRegex, "++12", false},
        {kPhoneBookNumberRegex, "12+3", false},
        {kPhoneBookNumberRegex, "12 3", false},
    };
    for (const Case& c : cases) {
        RegexError error;
        EXPECT_EQ(isMatchedByRegex(c.text, c.pattern, &error), c.matches)
            << qPrintable(c.pattern) << " on \"" << qPrintable(c.text) << '"';
        EXPECT_EQ(error.code, 0) << qPrintable(c.pattern);
    }
}

TEST(FixedPatterns, CodeFieldsKeepTheLeadingDigits)
{
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {{"12345", "1234"}, {"12a4", "12"}, {"a123", ""}, {"", ""}};
    for (const Case& c : cases) {
        const QString cut = stringByMatching(c.text, kCodeDigitsRegex);
        EXPECT_FALSE(cut.isNull()) << qPrintable(c.text);
        EXPECT_EQ(cut, c.expected) << qPrintable(c.text);
    }
}

TEST(StringRegex, SearchesTheWholeTextCaseSensitivelyUnlessAsked)
{
    EXPECT_EQ(stringByMatching("call 555-0100 now", "[0-9]+-[0-9]+"), "555-0100");
    EXPECT_TRUE(stringByMatching("abc", "[0-9]+").isNull());
    EXPECT_TRUE(isMatchedByRegex("Zhang San", "San"));
    EXPECT_FALSE(isMatchedByRegex("Zhang San", "^san"));
    EXPECT_TRUE(isMatchedByRegex("Zhang San", "(?i:^zhang)"));
    // Offsets are UTF-16 units: text past a surrogate pair is cut right.
    EXPECT_EQ(stringByMatching("\U0001F600 id=42", "[0-9]+"), "42");
    EXPECT_FALSE(isMatchedByRegex(QString(), ".*"));
}

TEST(StringRegex, BadPatternsAreErrorsNotMatches)
{
    struct Case {
        QString pattern;
        int code;
    };
    const Case cases[] = {
        {"(?i:zhang", U_REGEX_MISMATCHED_PAREN},
        {"[abc", U_REGEX_MISSING_CLOSE_BRACKET},
        {QString(), U_ILLEGAL_ARGUMENT_ERROR},
    };
    for (const Case& c : cases) {
        RegexError error;
        EXPECT_FALSE(isMatchedByRegex("zhang", c.pattern, &error));
        EXPECT_EQ(error.code, c.code) << qPrintable(c.pattern);
        EXPECT_EQ(error.reason,
                  QStringLiteral("ICU regular expression error #%1, %2.").arg(c.code).arg(error.name));
        EXPECT_TRUE(stringByMatching("zhang", c.pattern).isNull());
    }
    RegexError error;
    EXPECT_FALSE(isMatchedByRegex("(", "(", &error));
    EXPECT_EQ(error.name, "U_REGEX_MISMATCHED_PAREN");
    // A good pattern after a bad one clears the error.
    EXPECT_TRUE(isMatchedByRegex("(", "\\(", &error));
    EXPECT_EQ(error.code, 0);
}

TEST(StringRegex, RunawaySearchGivesUp)
{
    const QString text = QString(40, u'a') + u'!';
    RegexError error;
    EXPECT_FALSE(isMatchedByRegex(text, "^(a+)+$", &error));
    EXPECT_EQ(error.code, U_REGEX_TIME_OUT);
    // The pattern stays usable on text it can handle.
    EXPECT_TRUE(isMatchedByRegex("aaa", "^(a+)+$", &error));
}
