#include "rename/SeriesTemplate.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

struct WorkedExample {
    const char* acceptedTemplate;
    int start;
    std::vector<std::string> oldNames;
    std::vector<std::string> newNames;
};

TEST(SeriesTemplate, WorkedExamples) {
    const WorkedExample examples[] = {
        {"Holiday ???",
         1,
         {"IMG_0412.JPG", "IMG_0413.JPG", "notes.txt"},
         {"Holiday 001.JPG", "Holiday 002.JPG", "Holiday 003.txt"}},
        {"*_?", 9, {"a.txt", "b.txt", "c"}, {"a_9.txt", "b_10.txt", "c_11"}},
        {"?\?-*", 0, {"x.tar.gz", ".profile", "name."}, {"00-x.tar.gz", "01-.profile", "02-name."}},
        {"?", 32767, {"p.bmp", "q.bmp", "r.bmp"}, {"32767.bmp", "32768.bmp", "32769.bmp"}},
        {"*.bak", 1, {"a.txt", "README"}, {"a.bak.txt", "README.bak"}},
        {"*", 5, {"One.doc", "two"}, {"One.doc", "two"}},
        {"Page ?? of set",
         98,
         {"s1.png", "s2.png", "s3.png"},
         {"Page 98 of set.png", "Page 99 of set.png", "Page 100 of set.png"}},
        {"2002?", 1, {"a.jpg", "b.jpg"}, {"20021.jpg", "20022.jpg"}},
        {"x??y*", 7, {"m.n"}, {"x07ym.n"}},
        {"", 1, {}, {}},
    };
    for (const WorkedExample& example : examples) {
        EXPECT_EQ(SeriesNames(example.acceptedTemplate, example.start, example.oldNames),
                  example.newNames)
            << example.acceptedTemplate;
    }
}

TEST(SeriesTemplate, AcceptsAtMostOneStarAndOneRunAndNoForbiddenCharacter) {
    for (const char* accepted : {"", "abc", "x??y*", "?", "*", "a.b c", "???", "*???", "?*"}) {
        EXPECT_TRUE(AcceptableTemplate(accepted)) << accepted;
    }
    for (const char* refused :
         {"a?b?", "?*?", "**", "*??*", "a/b", "a\\b", "c:", "\"q\"", "<", ">", "a|b", "?? ?"}) {
        EXPECT_FALSE(AcceptableTemplate(refused)) << refused;
    }
    EXPECT_TRUE(TemplateComputesNames("a*"));
    EXPECT_TRUE(TemplateComputesNames("?"));
    EXPECT_FALSE(TemplateComputesNames("abc"));
    EXPECT_FALSE(TemplateComputesNames(""));
}

TEST(SeriesTemplate, StartTextsReadAsIntegerTextsAndEndWithinTheLimits) {
    EXPECT_EQ(ReadStartNumber(" 12"), 12);
    EXPECT_EQ(ReadStartNumber("$10"), 16);
    EXPECT_EQ(ReadStartNumber("32767"), 32767);
    EXPECT_EQ(ReadStartNumber("40000"), 32767);
    EXPECT_EQ(ReadStartNumber("-5"), 0);
    for (const char* unreadable : {"", "1a", "-$10"}) {
        EXPECT_FALSE(ReadStartNumber(unreadable).has_value()) << '"' << unreadable << '"';
    }
}

} // namespace
} // namespace tarvix
