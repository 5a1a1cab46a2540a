#include <gtest/gtest.h>

#include "conversation/ScriptLoad.h"

#include <optional>

namespace {

TEST(ScriptLoad, ALoadLineReadsBackFieldForField)
{
    const ScriptLoad loads[] = {
        {"#kanál", "/home/ján/moje skripty/pozdrav.tcl", true},
        {"krnl:1:irc.example.sk:6667", "brimo.tcl", false},
        {"bob", " medzera na začiatku a na konci ", true},
        {"#a", "-q", false}, // a file named like the option
    };
    for (const ScriptLoad &load : loads) {
        SCOPED_TRACE(load.CommandLine());
        EXPECT_EQ(ScriptLoad::Parse(load.CommandLine()), std::optional<ScriptLoad>(load));
    }
    EXPECT_EQ((ScriptLoad{"#a", "b.tcl", false}.CommandLine()), "/load -q #a b.tcl");
    EXPECT_EQ((ScriptLoad{"#a", "b.tcl", true}.CommandLine()), "/load #a b.tcl");
}

TEST(ScriptLoad, LinesWithoutAWindowOrAFileAreNoLoad)
{
    EXPECT_EQ(ScriptLoad::Parse("/load"), std::nullopt);
    EXPECT_EQ(ScriptLoad::Parse("/load #a"), std::nullopt);
    EXPECT_EQ(ScriptLoad::Parse("/load -q #a"), std::nullopt);
    EXPECT_EQ(ScriptLoad::Parse("/load -q -q"), std::nullopt);
    EXPECT_EQ(ScriptLoad::Parse("/load  #a b.tcl"), std::nullopt); // an empty window name
    // Every "-q" before the window silences the load.
    EXPECT_EQ(ScriptLoad::Parse("/load -q -q #a b c.tcl"), (std::optional<ScriptLoad>({"#a", "b c.tcl", false})));
}

} // namespace
