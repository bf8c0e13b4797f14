#include "rename/SeriesTemplate.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

struct WorkedExample {
    const wchar_t* acceptedTemplate;
    int start;
    std::vector<std::wstring> oldNames;
    std::vector<std::wstring> newNames;
};

TEST(SeriesTemplate, WorkedExamples) {
    const WorkedExample examples[] = {
        {L"Holiday ???",
         1,
         {L"IMG_0412.JPG", L"IMG_0413.JPG", L"notes.txt"},
         {L"Holiday 001.JPG", L"Holiday 002.JPG", L"Holiday 003.txt"}},
        {L"*_?", 9, {L"a.txt", L"b.txt", L"c"}, {L"a_9.txt", L"b_10.txt", L"c_11"}},
        {L"?\?-*",
         0,
         {L"x.tar.gz", L".profile", L"name."},
         {L"00-x.tar.gz", L"01-.profile", L"02-name."}},
        {L"?", 32767, {L"p.bmp", L"q.bmp", L"r.bmp"}, {L"32767.bmp", L"32768.bmp", L"32769.bmp"}},
        {L"*.bak", 1, {L"a.txt", L"README"}, {L"a.bak.txt", L"README.bak"}},
        {L"*", 5, {L"One.doc", L"two"}, {L"One.doc", L"two"}},
        {L"Page ?? of set",
         98,
         {L"s1.png", L"s2.png", L"s3.png"},
         {L"Page 98 of set.png", L"Page 99 of set.png", L"Page 100 of set.png"}},
        {L"2002?", 1, {L"a.jpg", L"b.jpg"}, {L"20021.jpg", L"20022.jpg"}},
        {L"x??y*", 7, {L"m.n"}, {L"x07ym.n"}},
        {L"", 1, {}, {}},
    };
    for (const WorkedExample& example : examples) {
        EXPECT_EQ(SeriesNames(example.acceptedTemplate, example.start, example.oldNames),
                  example.newNames)
            << example.acceptedTemplate;
    }
}

TEST(SeriesTemplate, AcceptsAtMostOneStarAndOneRunAndNoForbiddenCharacter) {
    for (const wchar_t* accepted :
         {L"", L"abc", L"x??y*", L"?", L"*", L"a.b c", L"???", L"*???", L"?*", L"?\u012a*"}) {
        EXPECT_TRUE(AcceptableTemplate(accepted)) << accepted;
    }
    for (const wchar_t* refused : {L"a?b?", L"?*?", L"**", L"*??*", L"a/b", L"a\\b", L"c:",
                                   L"\"q\"", L"<", L">", L"a|b", L"?? ?"}) {
        EXPECT_FALSE(AcceptableTemplate(refused)) << refused;
    }
    EXPECT_TRUE(TemplateComputesNames(L"a*"));
    EXPECT_TRUE(TemplateComputesNames(L"?"));
    EXPECT_FALSE(TemplateComputesNames(L"abc"));
    EXPECT_FALSE(TemplateComputesNames(L""));
}

TEST(SeriesTemplate, StartTextsReadAsIntegerTextsAndEndWithinTheLimits) {
    EXPECT_EQ(ReadStartNumber(L" 12"), 12);
    EXPECT_EQ(ReadStartNumber(L"$10"), 16);
    EXPECT_EQ(ReadStartNumber(L"32767"), 32767);
    EXPECT_EQ(ReadStartNumber(L"40000"), 32767);
    EXPECT_EQ(ReadStartNumber(L"-5"), 0);
    for (const wchar_t* unreadable : {L"", L"1a", L"-$10"}) {
        EXPECT_FALSE(ReadStartNumber(unreadable).has_value()) << '"' << unreadable << '"';
    }
}

} // namespace
} // namespace tarvix
