// What every storage of a configuration must do alike; each test program instantiates
// it with the storages of its platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/orvel_config.h"
#include "tests/engine/config/config_storage_behaviour.h"

namespace quillon::test {

using Names = std::vector<std::string>;

ConfigStorageTest::ConfigStorageTest() : backend_(GetParam().make(folder_)) {
    backend_->Configure(owner_);
}

TEST_P(ConfigStorageTest, FirstUseWritesTheDefaultsAtUnloadAndLaterLoadsReadThem) {
    {
        TOrvelConfig config(owner_);
        EXPECT_EQ(config.MainDictionaries().Items(), (Names{"first.ovm", "second.ovm"}));
        EXPECT_EQ(config.ActiveCustom(), "Tester.ovu");
        EXPECT_EQ(config.CustomDictionaries().Items(), (Names{"shared.ovu", "Tester.ovu"}));
        EXPECT_EQ(config.Options(), (TSpellOptions{soUpcase, soRepeated, soUser2}));
        EXPECT_EQ(config.DialogX(), -1);
        EXPECT_FALSE(backend_->Raw("_FirstRun")) << "loading writes nothing";
        config.SetLoaded(false);
        EXPECT_FALSE(config.Loaded());
    }
    EXPECT_EQ(backend_->Raw("_FirstRun"), "+");
    EXPECT_EQ(backend_->Raw("_Main_count"), "2");
    EXPECT_EQ(backend_->Raw("_Main_1"), "second.ovm");
    EXPECT_EQ(backend_->Raw("_Custom_1"), "Tester.ovu");
    EXPECT_EQ(backend_->Raw("_ActiveCustom"), "Tester.ovu");
    EXPECT_EQ(backend_->Raw("_soUser2"), "+");
    EXPECT_EQ(backend_->Raw("_soHTML"), "-");
    EXPECT_EQ(backend_->Raw("_DialogY"), "-1");

    // Other defaults now: a stored configuration does not take them...
    owner_.SetConfigDefaultMain({"other.ovm"});
    owner_.SetConfigDefaultOptions({});
    TOrvelConfig later(owner_);
    EXPECT_EQ(later.MainDictionaries().Items(), (Names{"first.ovm", "second.ovm"}));
    EXPECT_EQ(later.Options(), (TSpellOptions{soUpcase, soRepeated, soUser2}));
    // ...until it is reset, and then it keeps them.
    later.ResetToDefaults();
    EXPECT_EQ(later.MainDictionaries().Items(), Names{"other.ovm"});
    EXPECT_EQ(later.Options(), TSpellOptions{});
    later.SetLoaded(false);
    EXPECT_EQ(backend_->Raw("_Main_count"), "1");
    EXPECT_EQ(backend_->Raw("_soUpcase"), "-");

    // Reset before loading makes the coming load a first use.
    owner_.SetConfigDefaultMain({"third.ovm"});
    TOrvelConfig reset(owner_);
    reset.ResetToDefaults();
    EXPECT_FALSE(reset.Loaded());
    EXPECT_EQ(reset.MainDictionaries().Items(), Names{"third.ovm"});
}

TEST_P(ConfigStorageTest, EveryFieldReadsBackAsItWasSaved) {
    ConfigSnapshot saved;
    {
        TOrvelConfig config(owner_);
        FillTrickyValues(config);
        saved = ConfigSnapshot::Of(config, TrickyUserNames());
    }  // saved when destroyed
    ASSERT_EQ(saved.main.front(), " padded.ovm ");
    TOrvelConfig again(owner_);
    EXPECT_EQ(ConfigSnapshot::Of(again, TrickyUserNames()), saved);
}

TEST_P(ConfigStorageTest, AClearedUserValueStaysCleared) {
    {
        TOrvelConfig config(owner_);
        config.SetUserValue("Window", "10,20");
        config.Save();
        config.SetUserValue("WINDOW", "");
    }
    TOrvelConfig again(owner_);
    EXPECT_EQ(again.GetUserValue("window"), "");
    EXPECT_EQ(backend_->Raw("_UserData_count"), "1");
}

TEST_P(ConfigStorageTest, AShorterListLeavesOldEntriesBehindAndLoadsOnlyItsCount) {
    {
        TOrvelConfig config(owner_);
        config.MainDictionaries().Assign({"a.ovm", "b.ovm", "c.ovm"});
        config.Save();
        config.MainDictionaries().Assign({"only.ovm"});
    }
    EXPECT_EQ(backend_->Raw("_Main_count"), "1");
    EXPECT_EQ(backend_->Raw("_Main_0"), "only.ovm");
    EXPECT_EQ(backend_->Raw("_Main_1"), "b.ovm");
    EXPECT_EQ(backend_->Raw("_Main_2"), "c.ovm");
    TOrvelConfig again(owner_);
    EXPECT_EQ(again.MainDictionaries().Items(), Names{"only.ovm"});
}

TEST_P(ConfigStorageTest, DamagedValuesReadAsTheirFallbacks) {
    TOrvelConfig(owner_).SetLoaded(true);  // stored once, so that later loads read
    ASSERT_EQ(backend_->Raw("_FirstRun"), "+");

    const struct {
        const char* count;
        Names entries;  // stored as _Main_0 ...
        Names loaded;
    } lists[] = {
        {"abc", {"x.ovm", "y.ovm"}, {}},
        {"-2", {"x.ovm", "y.ovm"}, {}},
        {"", {"x.ovm"}, {}},
        {"99999999999", {"x.ovm"}, {}},
        {"2", {"x.ovm", "y.ovm", "z.ovm"}, {"x.ovm", "y.ovm"}},
        {"4", {"x.ovm", "", "z.ovm", ""}, {"x.ovm", "z.ovm"}},
        {"2147483647", {"x.ovm", "y.ovm"}, {"x.ovm", "y.ovm"}},  // bounded, not 2^31 reads
    };
    for (const auto& c : lists) {
        SCOPED_TRACE(c.count);
        backend_->SetRaw("_Main_count", c.count);
        for (std::size_t i = 0; i < 4; ++i)
            backend_->SetRaw("_Main_" + std::to_string(i), i < c.entries.size() ? c.entries[i] : "");
        TOrvelConfig config(owner_);
        EXPECT_EQ(config.MainDictionaries().Items(), c.loaded);
    }

    const struct {
        const char* stored;
        int loaded;
    } positions[] = {{"12x", -1}, {"", -1},     {"0x10", -1},       {"-", -1},
                     {"+7", 7},   {"-25", -25}, {"99999999999", -1}};
    for (const auto& c : positions) {
        SCOPED_TRACE(c.stored);
        backend_->SetRaw("_DialogX", c.stored);
        TOrvelConfig config(owner_);
        EXPECT_EQ(config.DialogX(), c.loaded);
    }

    const struct {
        const char* stored;
        bool on;
    } options[] = {{"+", true}, {"-", false}, {"yes", false}, {"", false}, {"1", false}};
    for (const auto& c : options) {
        SCOPED_TRACE(c.stored);
        backend_->SetRaw("_soHTML", c.stored);
        TOrvelConfig config(owner_);
        EXPECT_EQ(config.Options().Has(soHTML), c.on);
    }
}

}  // namespace quillon::test
