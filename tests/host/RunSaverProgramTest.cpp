#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/RunMode.h"
#include "host/RunSaverProgram.h"

namespace {

class EmptyStore : public SettingsStore {
public:
    bool OpenKey(SettingsKey key) override
    {
        opened.push_back(key);
        return false;
    }
    bool CreateKey(SettingsKey) override { return false; }
    bool ReadValue(SettingsKey, const char*, StoredValue&) override { return false; }
    std::vector<SettingsKey> opened;
};

class RecordingHost : public SaverHost {
public:
    uint32_t ForegroundWindow() override { return 777; }
    void RunPasswordChange(uint32_t owner) override { calls.push_back("password " + std::to_string(owner)); }
    int RunConfigDialog(uint32_t owner) override
    {
        calls.push_back("config " + std::to_string(owner));
        sawSettings = saverSettings != nullptr;
        return 1;
    }
    int RunSaverWindow(uint32_t parent, int showCommand) override
    {
        calls.push_back("window " + std::to_string(parent) + " mode " + std::to_string(runMode) + " show "
                        + std::to_string(showCommand));
        sawSettings = saverSettings != nullptr && saverSettings->passwordDelay == 15;
        return windowResult;
    }
    std::vector<std::string> calls;
    bool sawSettings = false;
    int windowResult = 0;
};

struct DispatchCase {
    const char* line;
    std::vector<std::string> calls;
};

TEST(RunSaverProgram, RunsExactlyTheOneModeTheLineNames)
{
    const DispatchCase cases[] = {
        {"q", {"config 0"}},
        {"q /c", {"config 777"}},
        {"q /c:0", {"config 0"}},
        {"q /a 78", {"password 78"}},
        {"q /p 66", {"window 66 mode 3 show 3"}},
        {"q /s 55", {"window 0 mode 4 show 3"}},
        {"q /x", {}},
        {"q -", {}},
    };
    for (const DispatchCase& c : cases) {
        RecordingHost host;
        EmptyStore store;
        EXPECT_EQ(RunSaverProgram(c.line, 3, host, store), 0) << c.line;
        EXPECT_EQ(host.calls, c.calls) << c.line;
        // Both loads run in every mode, the unrecognised one too.
        const std::vector<SettingsKey> loads = {SettingsKey::CommonSaver, SettingsKey::Own};
        EXPECT_EQ(store.opened, loads) << c.line;
        EXPECT_EQ(saverSettings, nullptr) << "the record is gone after the run";
    }
}

TEST(RunSaverProgram, SettingsAreReachableDuringTheModeAndFailuresAreNotSuccess)
{
    RecordingHost host;
    EmptyStore store;
    host.windowResult = 1;
    EXPECT_EQ(RunSaverProgram("q /s", kShowDefault, host, store), 1);
    EXPECT_TRUE(host.sawSettings);
}

}  // namespace
