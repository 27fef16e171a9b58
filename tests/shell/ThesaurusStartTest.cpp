#include "shell/ThesaurusStart.h"

#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral("d:\\run\\discshell.exe");

TEST(ThesaurusStartTest, ThePageFollowsTheQuotedProgramWithoutQuotesAndTheSwitch)
{
    EXPECT_EQ(
        ThesaurusStart::PageOfCommandLine(
            QStringLiteral("\"d:\\run\\discshell.exe\" \"d:\\run\\tezaurus\\a b.htm#top\" /t"),
            Program),
        QStringLiteral("d:\\run\\tezaurus\\a b.htm#top"));
    EXPECT_EQ(ThesaurusStart::PageOfCommandLine(
                  QStringLiteral("\"d:\\run\\discshell.exe\"   d:\\x.htm /t  "), Program),
              QStringLiteral("d:\\x.htm"));
}

TEST(ThesaurusStartTest, WithoutQuotesTheProgramIsCutByItsLength)
{
    EXPECT_EQ(ThesaurusStart::PageOfCommandLine(
                  QStringLiteral("d:\\run\\discshell.exe d:\\x.htm /t"), Program),
              QStringLiteral("d:\\x.htm"));
    EXPECT_EQ(
        ThesaurusStart::PageOfCommandLine(QStringLiteral("D:\\RUN\\DS.EXE d:\\x.htm /t"), Program),
        QStringLiteral("tm"))
        << "a shorter spelling loses characters, as stated";
}

TEST(ThesaurusStartTest, OnlyTheFirstSwitchGoesAndAPageWithoutOneStays)
{
    EXPECT_EQ(ThesaurusStart::PageOfCommandLine(QStringLiteral("\"p\" d:\\a.htm /t /t"), Program),
              QStringLiteral("d:\\a.htm /t"));
    EXPECT_EQ(ThesaurusStart::PageOfCommandLine(QStringLiteral("\"p\" d:\\t/tx.htm"), Program),
              QStringLiteral("d:\\t/tx.htm"));
}

} // namespace
