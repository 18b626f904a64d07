#include "engine/path_macros.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/os/os.h"
#include "tests/platform/os/os_test_support.h"

namespace quillon {
namespace {

using os::test::ScopedEnvironment;

#ifdef _WIN32
#define ENV(name) "%" name "%"
#else
#define ENV(name) "$" name
#endif

TMacroValues Sample() {
    return {"Quillon", "bob", "PROG", "DATA", "DOCS"};
}

TEST(ExpandMacrosTest, EachMacroAtItsFirstOccurrenceThenTheEnvironment) {
    const ScopedEnvironment known("QUILLON_CONFIG_VAR", "value");
    // Unset, so that a second occurrence is left to an environment that has none.
    const ScopedEnvironment noAppDir("AppDir", std::nullopt);
    const ScopedEnvironment noAppName("AppName", std::nullopt);
    const ScopedEnvironment noDocuments("MyDocuments", std::nullopt);
    TMacroValues noUser = Sample();
    noUser.userName.clear();
    TMacroValues noAppData = Sample();
    noAppData.appData.clear();
    TMacroValues variableInValue = Sample();
    variableInValue.appDir = ENV("QUILLON_CONFIG_VAR");

    const struct {
        const char* text;
        TMacroValues values;
        const char* expanded;
    } cases[] = {
        {"%AppName%-%UserName%-%AppDir%", Sample(), "Quillon-bob-PROG"},
        {"%AppData%+%MyDocuments%", Sample(), "DATA+DOCS"},
        {"%AppDir%+%AppDir%", Sample(), "PROG+%AppDir%"},
        {"%AppName%%AppName%", Sample(), "Quillon%AppName%"},
        {"%MyDocuments%+%MyDocuments%", Sample(), "DOCS+%MyDocuments%"},
        {"%UserName%_sp.ovl", noUser, "default_sp.ovl"},
        {"%AppData%", noAppData, "PROG"},
        {"no macros at all", Sample(), "no macros at all"},
        {"%appdir%", Sample(), "%appdir%"},
        {ENV("QUILLON_CONFIG_VAR") "+" ENV("QUILLON_CONFIG_VAR"), Sample(), "value+value"},
        {"%AppDir%", variableInValue, "value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExpandMacros(c.text, c.values), c.expanded);
    }
}

TEST(ExpandMacrosTest, TheRunningProgramAndUserFillTheMacros) {
    const std::string user = os::UserName().empty() ? "default" : os::UserName();
    EXPECT_EQ(ExpandMacros("%AppName%"), "config_tests");
    EXPECT_EQ(ExpandMacros("%AppDir%"), os::ProgramFolder());
    EXPECT_EQ(ExpandMacros("%UserName%"), user);
    EXPECT_EQ(ExpandVars("%ConfigID%+%ConfigID%", "id-%AppName%"), "id-config_tests+%ConfigID%");
    EXPECT_EQ(ExpandVars("%ConfigID%.ovu", "%UserName%"), user + ".ovu");
}

#ifndef _WIN32
TEST(ExpandMacrosTest, NativelyTheBackslashesOfTheTextBecomeSlashesButNotThoseOfValues) {
    TMacroValues values = Sample();
    values.appDir = "/odd\\folder";
    EXPECT_EQ(ExpandMacros("%AppDir%\\sub\\x.ovu", values), "/odd\\folder/sub/x.ovu");
}
#endif

}  // namespace
}  // namespace quillon
