// ConfigTestSupport.h - test doubles and builders for the configuration model:
// scripted prompts, a keyboard that records what it is sent, and helpers to
// build macros and stores.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "AssignmentStore.h"
#include "KeyboardCommands.h"
#include "MacroRecord.h"
#include "Prompts.h"

namespace testing_config {

// Answers Yes/No from a script (No when the script is empty) and records every
// message and question by language key.
class ScriptedPrompts : public keys::Prompts {
  public:
    void showMessage(std::string_view key, bool topMost,
                     const std::optional<std::string>& argument) override {
        shown.emplace_back(key);
        if (topMost)
            topMostShown.emplace_back(key);
        if (argument)
            arguments.push_back(*argument);
    }
    bool askYesNo(std::string_view key) override {
        asked.emplace_back(key);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string text(std::string_view key) override {
        return key == "MACRO_NEW_PREFIX" ? "Macro " : std::string(key);
    }

    std::vector<std::string> shown, topMostShown, arguments, asked;
    std::deque<bool> answers;
};

// Records the commands it gets, in order, and answers with configurable results.
class RecordingKeyboard : public keys::KeyboardCommands {
  public:
    int BeginTransfer() override { return log("begin"); }
    int EndTransfer() override { return log("end"); }
    int ReadDeviceInfo(uint8_t* info) override {
        for (size_t i = 0; i < 44; ++i) info[i] = deviceInfo[i];
        const int logged = log("info");
        return infoResult == 1 ? logged : infoResult;
    }
    int ReadKeyMap(uint8_t* map, int profile) override {
        std::copy(maps[profile].begin(), maps[profile].end(), map);
        return log("readmap " + std::to_string(profile));
    }
    int WriteKeyMap(const uint8_t* map, int profile) override {
        writtenMaps.emplace_back(map, map + 378);
        const int result = log("map " + std::to_string(profile));
        return failMap == profile ? -2 : result;
    }
    int ReadMacroMemory(uint8_t* buffer, size_t count) override {
        for (size_t i = 0; i < count; ++i) buffer[i] = i < macroMemory.size() ? macroMemory[i] : 0;
        return log("readmacros " + std::to_string(count));
    }
    int WriteMacroMemory(const uint8_t* bytes, size_t count) override {
        macroMemory.assign(bytes, bytes + count);
        const int result = log("macros " + std::to_string(count));
        return failMacros ? -2 : result;
    }
    int ReadDefaultKeyMap(uint8_t* map) override {
        std::copy(factoryMap.begin(), factoryMap.end(), map);
        const int logged = log("default");
        return defaultMapResult == 1 ? logged : defaultMapResult;
    }
    int GetCurrentProfile() override { return currentProfile; }
    void SetCurrentProfile(int profile) override {
        log("select " + std::to_string(profile));
        if (profile >= 0)
            currentProfile = profile;
    }

    std::vector<std::string> calls;
    std::vector<std::vector<uint8_t>> writtenMaps;
    std::vector<uint8_t> macroMemory;
    std::array<std::array<uint8_t, 378>, 3> maps{};
    std::array<uint8_t, 378> factoryMap{};
    std::array<uint8_t, 44> deviceInfo{};
    int currentProfile = 0;
    int failMap = -1;
    bool failMacros = false;
    int defaultMapResult = 1;  // what ReadDefaultKeyMap answers
    int infoResult = 1;        // what ReadDeviceInfo answers
    int result = 1;

  private:
    int log(std::string call) {
        calls.push_back(std::move(call));
        return result;
    }
};

inline macros::MacroRecord makeMacro(uint16_t id, std::u16string name,
                                     std::vector<macros::MacroAction> actions, uint8_t cycles = 1) {
    macros::MacroRecord m;
    m.id = id;
    m.cycles = cycles;
    m.setName(name);
    m.actionCount = static_cast<uint16_t>(actions.size());
    for (size_t i = 0; i < actions.size(); ++i) m.actions[i] = actions[i];
    return m;
}

// A macro with `count` alternating press/release actions of key A.
inline macros::MacroRecord makeMacroOfSize(uint16_t id, std::u16string name, size_t count) {
    std::vector<macros::MacroAction> actions;
    for (size_t i = 0; i < count; ++i)
        actions.push_back(
            {static_cast<uint32_t>(10 * (i % 50)), 0x01E, static_cast<uint16_t>(i % 2)});
    return makeMacro(id, std::move(name), actions);
}

}  // namespace testing_config
