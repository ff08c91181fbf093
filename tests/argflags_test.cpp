// SPDX-License-Identifier: Zlib
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "argflags.hpp"

namespace {

class ArgFlags : public testing::Test {
protected:
    void SetUp() override { clear_argflags(); }

    static std::vector<int> raised()
    {
        std::vector<int> indices;
        for (int i = 0; i < 128; ++i) {
            if (argflag_raised(i)) indices.push_back(i);
        }
        return indices;
    }

    static int scan(std::vector<const char*> args)
    {
        args.insert(args.begin(), "quorvantel");
        return scan_arguments(static_cast<int>(args.size()), args.data());
    }
};

TEST_F(ArgFlags, LeadingCharacterRaisesItsOwnFlag)
{
    setargflags("-x");
    EXPECT_EQ(raised(), (std::vector<int>{'-', 'X'}));
}

TEST_F(ArgFlags, LowerAndUpperCaseRaiseTheSameFlag)
{
    setargflags("-a");
    const auto from_lower = raised();
    clear_argflags();
    setargflags("-A");
    EXPECT_EQ(from_lower, raised());
    EXPECT_EQ(from_lower, (std::vector<int>{'-', 65}));
}

TEST_F(ArgFlags, EveryByteRaisesExactlyItsFoldedSevenBitFlag)
{
    for (int byte = 1; byte <= 255; ++byte) {
        clear_argflags();
        const std::string arg(1, static_cast<char>(byte));
        setargflags(arg.c_str());
        // ASCII lower case maps to upper case; every other byte keeps its low seven bits.
        const int expected = (byte >= 'a' && byte <= 'z') ? byte - 32 : byte % 128;
        EXPECT_EQ(raised(), std::vector<int>{expected}) << "byte " << byte;
    }
}

TEST_F(ArgFlags, NoAsciiCharacterReachesTheLowerCaseSlots)
{
    for (int byte = 1; byte <= 127; ++byte) {
        const std::string arg(1, static_cast<char>(byte));
        setargflags(arg.c_str());
    }
    for (int index = 'a'; index <= 'z'; ++index) EXPECT_FALSE(argflag_raised(index)) << index;
}

TEST_F(ArgFlags, BytesWithTopBitSetAreNotFolded)
{
    setargflags("\xE4"); // Latin-1 a-umlaut: lands in the slot of 'd'
    setargflags("\xE1"); // Latin-1 a-acute: lands in the slot of 'a'
    EXPECT_EQ(raised(), (std::vector<int>{97, 100}));
}

TEST_F(ArgFlags, InvertedQuestionMarkRaisesTheHelpFlag)
{
    setargflags("-\xBF");
    EXPECT_TRUE(argflag_raised(help_flag));
    EXPECT_EQ(help_flag, 63);
}

TEST_F(ArgFlags, IndicesOutsideTheTableAreNeverRaised)
{
    for (int byte = 1; byte <= 255; ++byte) {
        const std::string arg(1, static_cast<char>(byte));
        setargflags(arg.c_str());
    }
    EXPECT_FALSE(argflag_raised(-1));
    EXPECT_FALSE(argflag_raised(128));
    EXPECT_TRUE(argflag_raised(0)); // from byte 0x80, never from the terminating zero
}

TEST_F(ArgFlags, ScanCountsEverythingButOptionsAsPositional)
{
    EXPECT_EQ(scan({}), 0);
    EXPECT_EQ(scan({"eins"}), 1);
    EXPECT_EQ(scan({""}), 1);
    EXPECT_EQ(scan({"eins", "-v", "zwei"}), 2);
    EXPECT_EQ(scan({"x-", "y?"}), 2); // only the first character makes an option
    EXPECT_EQ(scan({"-v", "?x", "--"}), 0);
    EXPECT_EQ(raised(), (std::vector<int>{'-', '?', 'V', 'X'}));
}

TEST_F(ArgFlags, ScanNeverLooksAtTheProgramName)
{
    const std::vector<const char*> args{"?", "-h"};
    EXPECT_EQ(scan_arguments(2, args.data()), 0);
    EXPECT_FALSE(argflag_raised(help_flag));
    EXPECT_TRUE(argflag_raised('H'));
}

TEST_F(ArgFlags, ScanWithNoArgumentsAtAllRaisesNothing)
{
    const std::vector<const char*> args{nullptr};
    EXPECT_EQ(scan_arguments(0, args.data()), 0);
    EXPECT_TRUE(raised().empty());
}

TEST_F(ArgFlags, UsageIsDueForHelpFlagOrSecondPositional)
{
    EXPECT_FALSE(usage_requested(0));
    EXPECT_FALSE(usage_requested(1));
    EXPECT_TRUE(usage_requested(2));
    setargflags("-?");
    EXPECT_TRUE(usage_requested(0));
}

TEST(Istja, AcceptsGermanAndEnglishYesInEitherCase)
{
    for (const char* yes : {"j", "J", "ja", "Jawohl", "y", "Y", "yes", "Yes!"}) {
        EXPECT_EQ(istja(yes), 1) << yes;
    }
}

TEST(Istja, RejectsEverythingElse)
{
    for (const char* other : {"", " ja", "n", "nein", "ok", "1", "\xE4", "-j", "a"}) {
        EXPECT_EQ(istja(other), 0) << other;
    }
}

} // namespace
