#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

namespace {

const char *const kMissing = "libbrimo-no-such-library.so";

struct TclInterp;
using FindExecutable = void (*)(const char *);
using CreateInterp = TclInterp *(*)();
using Eval = int (*)(TclInterp *, const char *);
using GetStringResult = const char *(*)(TclInterp *);
using DeleteInterp = void (*)(TclInterp *);
using Finalize = void (*)();

} // namespace

TEST(DynamicLibraryTest, LoadsTheFirstCandidateThatExistsAndCallsIntoIt)
{
    DynamicLibrary tcl;
    ASSERT_TRUE(tcl.Load({kMissing, "libtcl8.6.so", "libtcl8.6.so.0"})) << tcl.ErrorText();
    EXPECT_TRUE(tcl.IsLoaded());
    EXPECT_EQ(tcl.LoadedName(), "libtcl8.6.so");
    EXPECT_TRUE(tcl.ErrorText().empty());

    auto findExecutable = tcl.ResolveAs<FindExecutable>("Tcl_FindExecutable");
    auto createInterp = tcl.ResolveAs<CreateInterp>("Tcl_CreateInterp");
    auto eval = tcl.ResolveAs<Eval>("Tcl_Eval");
    auto result = tcl.ResolveAs<GetStringResult>("Tcl_GetStringResult");
    auto deleteInterp = tcl.ResolveAs<DeleteInterp>("Tcl_DeleteInterp");
    auto finalize = tcl.ResolveAs<Finalize>("Tcl_Finalize");
    ASSERT_TRUE(findExecutable && createInterp && eval && result && deleteInterp && finalize) << tcl.ErrorText();

    findExecutable(nullptr);
    TclInterp *interp = createInterp();
    ASSERT_NE(interp, nullptr);
    EXPECT_EQ(eval(interp, "expr {6 * 7}"), 0);
    EXPECT_STREQ(result(interp), "42");
    deleteInterp(interp);
    // Tcl's tables are freed before the library goes, so a leak check sees only ours.
    finalize();
}

TEST(DynamicLibraryTest, AMissingSymbolFailsWithoutUnloading)
{
    DynamicLibrary tcl;
    ASSERT_TRUE(tcl.Load({"libtcl8.6.so"}));
    EXPECT_EQ(tcl.Resolve("Tcl_NoSuchFunctionAnywhere"), nullptr);
    EXPECT_FALSE(tcl.ErrorText().empty());
    EXPECT_TRUE(tcl.IsLoaded());
    EXPECT_NE(tcl.Resolve("Tcl_CreateInterp"), nullptr);
    EXPECT_TRUE(tcl.ErrorText().empty());
    EXPECT_EQ(tcl.Resolve(""), nullptr);

    tcl.Unload();
    EXPECT_FALSE(tcl.IsLoaded());
    EXPECT_TRUE(tcl.LoadedName().empty());
    EXPECT_EQ(tcl.Resolve("Tcl_CreateInterp"), nullptr);
}

TEST(DynamicLibraryTest, MissingLibrariesFailCleanly)
{
    DynamicLibrary library;
    EXPECT_FALSE(library.Load({kMissing, "/nonexistent/folder/libtcl8.6.so"}));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_FALSE(library.ErrorText().empty());
    EXPECT_EQ(library.Resolve("Tcl_CreateInterp"), nullptr);

    EXPECT_FALSE(library.Load({}));
    EXPECT_FALSE(library.ErrorText().empty());

    // A failed load after a good one leaves nothing loaded.
    ASSERT_TRUE(library.Load({"libtcl8.6.so"}));
    EXPECT_FALSE(library.Load({kMissing}));
    EXPECT_FALSE(library.IsLoaded());
}
