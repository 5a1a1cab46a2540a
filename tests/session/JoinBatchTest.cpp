// Many channels joined together: few JOIN lines, keys in order, 512 bytes.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "session/JoinBatch.h"
#include "text/Words.h"

namespace {

std::vector<std::string> SplitAtCommas(const std::string &text)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    return parts;
}

TEST(JoinBatch, ChannelsWithKeysComeFirstWithTheirKeysInTheSameOrder)
{
    JoinBatch batch;
    batch.Add("#open1");
    batch.Add("#locked1", "k1");
    batch.Add("#open2");
    batch.Add("#locked2", "k2");
    EXPECT_EQ(batch.Lines(), std::vector<std::string>{"JOIN #locked1,#locked2,#open1,#open2 k1,k2"});

    JoinBatch keyless;
    keyless.Add("#a");
    keyless.Add("#b");
    EXPECT_EQ(keyless.Lines(), std::vector<std::string>{"JOIN #a,#b"});
    EXPECT_TRUE(JoinBatch().Lines().empty());
}

TEST(JoinBatch, ACommaListAndARepeatedChannelAreTakenApart)
{
    JoinBatch batch;
    batch.Add("#x,#y", "kx");
    batch.Add("#X");       // the same channel in other case
    batch.Add("#y", "ky"); // the key comes with the second mention
    batch.Add(",#z,", ""); // empty names are no channels
    EXPECT_EQ(batch.Size(), 3u);
    EXPECT_EQ(batch.Lines(), std::vector<std::string>{"JOIN #x,#y,#z kx,ky"});
}

// Sixty favourites, every third with a key: each line fits in 512 bytes with
// CR LF, every channel is joined once, and each key stands at the place of
// its channel.
TEST(JoinBatch, SixtyLongChannelsFillLinesOfAtMost512Bytes)
{
    JoinBatch batch;
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "#kanal-s-dlhym-nazvom-" + std::to_string(i);
        names.push_back(name);
        batch.Add(name, i % 3 == 0 ? "heslo" + std::to_string(i) : std::string());
    }
    const std::vector<std::string> lines = batch.Lines();
    ASSERT_GE(lines.size(), 4u); // about 1600 bytes of names
    EXPECT_LE(lines.size(), 5u);

    std::set<std::string> joined;
    bool keylessSeen = false;
    for (const std::string &line : lines) {
        EXPECT_LE(line.size() + 2, 512u) << line;
        EXPECT_EQ(GetWord(line, 1), "JOIN");
        const std::vector<std::string> channels = SplitAtCommas(GetWord(line, 2));
        const std::string keyWord = GetWord(line, 3);
        const std::vector<std::string> keys = keyWord.empty() ? std::vector<std::string>() : SplitAtCommas(keyWord);
        ASSERT_LE(keys.size(), channels.size());
        for (size_t i = 0; i < channels.size(); ++i) {
            const int number = std::stoi(channels[i].substr(channels[i].rfind('-') + 1));
            if (i < keys.size()) {
                EXPECT_FALSE(keylessSeen) << "a key after a channel without one: " << line;
                EXPECT_EQ(keys[i], "heslo" + std::to_string(number));
            } else {
                EXPECT_NE(number % 3, 0) << channels[i] << " lost its key";
                keylessSeen = true;
            }
            EXPECT_TRUE(joined.insert(channels[i]).second) << channels[i] << " twice";
        }
    }
    EXPECT_EQ(joined, std::set<std::string>(names.begin(), names.end()));
}

TEST(JoinBatch, AChannelLongerThanALineStandsAlone)
{
    JoinBatch batch;
    batch.Add("#a");
    batch.Add("#" + std::string(600, 'x'));
    batch.Add("#b");
    const std::vector<std::string> lines = batch.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "JOIN #a");
    EXPECT_EQ(lines[1].size(), 5u + 601u);
    EXPECT_EQ(lines[2], "JOIN #b");
}

} // namespace
