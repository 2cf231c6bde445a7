// The shipped English language file has a text for every key the program
// looks up, and its format texts take exactly the arguments the code passes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "keys/KeyCatalogue.h"
#include "settings/IniFile.h"
#include "settings/LanguageTables.h"
#include "settings/TextFormat.h"

namespace {

const std::string kLanguageFile = std::string(KEYTUNE_SOURCE_DIR) + "/data/Lang0409.ini";

// TEXT keys the windows and messages use.
const char* const kTextKeys[] = {
    "MAIN_CAPTION",
    "MAIN_APPLY_PROMPT",
    "MAIN_HELP_PROMPT",
    "MAIN_MINIMIZE_PROMPT",
    "MAIN_MENU_PROMPT",
    "MAIN_CLOSE_PROMPT",
    "MAIN_PROMPT_DEFAULT",
    "MAIN_PROMPT_INPORT",
    "MAIN_PROMPT_DRIVER_TITLE",
    "MAIN_PROMPT_DRIVER_TEXT",
    "MAIN_SWITCH_COLOR_TEXT",
    "MAIN_SWITCH_FUNCTION_TEXT",
    "MAIN_DEFAULT_MATRIX_PROMPT",
    "MAIN_NO_DEVICE_PROMPT",
    "KEYBOARD_TRAY_DESC",
    "IDS_TrayTip_Keyboard",
    "LANG_ABOUT_TITLE",
    "LANG_ABOUT_OK",
    "GUANYU_JIESHAO",
    "GUANYU_BANQUAN",
    "MENU_1",
    "MENU_2",
    "MENU_3",
    "MENU_11",
    "MENU_22",
    "MENU_33",
    "PROFILE_1",
    "PROFILE_2",
    "PROFILE_3",
    "PROFILE_MACRO",
    "PROFILE_DEFAULT",
    "PROFILE_OK",
    "PROFILE_CANCLE",
    "PROFILE_APPLY",
    "PROFILE_NEW",
    "PROFILE_TIP",
    "PROFILE_LOAD_PROMPT",
    "PROFILE_SELECT_PROMPT",
    "PROFILE_SEELCT_PROMPT2",
    "PROFILE_FORMAT_ERROR",
    "DEFAULT_PROFILE_NAME",
    "EXTRA_MACRO_TOO_LONG",
    "EXTRA_PROFILE_SPACE_TIGHT",
    "KEYMAP_DEFAULT_UNREAD",
    "DEVICE_INFO_UNREAD",
    "PROFILE_MANAGER_TITLE",
    "PROFILE_COLUMN_ACTIVE",
    "PROFILE_COLUMN_NAME",
    "PROFILE_COLUMN_FOLDER",
    "PROFILE_ADD",
    "PROFILE_LOAD",
    "PROFILE_DELETE",
    "MAIN_CLOSE_PENDING_PROMPT",
    "MAIN_CLOSE_PENDING_APPLY",
    "MAIN_CLOSE_PENDING_DISCARD",
    "MAIN_CLOSE_PENDING_CANCEL",
    "MAIN_MENU_AUTOSTART",
    "MAIN_PROFILES_PROMPT",
    "MAIN_WEB_PROMPT",
    "MAIN_FLIP_PROMPT",
    "MAIN_LAYER_PROMPT",
    "MAIN_REPORT_PROMPT",
    "COMPOSITE_APPLY",
    "COMPOSITE_ADD_MACRO",
    "COMPOSITE_DELETE_MACRO",
    "COMPOSITE_KEY_FIELD",
    "COMPOSITE_ACTION_LIST",
    "COMPOSITE_PAGE_PICTURE",
    "MACRO_ACTION_WARN_HELD",
    "APPLY_PROMPT",
    "KEY_PROMPT",
    "KEY_PROMPT_SET",
    "KEY_PROMPT_SINGLE",
    "KEY_PROMPT_MACRO",
    "KEY_PROMPT_MEDIA",
    "KEY_PROMPT_FUNCTION",
    "KEY_SETTING_TISHI",
    "SINGLE_KEY",
    "SINGLE_STATIC",
    "MULTI_MEDIA",
    "MEDIA_EDIT_TISHI",
    "FUNCTION_KEY",
    "FUNCTION_TISHI",
    "COMPOSITE_PROMPT_CLEAR",
    "COMPOSITE_PROMPT_OSK",
    "MACRO_SETTING",
    "MACRO_NAME_SETTING",
    "MACRO_EDIT_TISHI",
    "MACRO_OK",
    "MACRO_CANCLE",
    "MACRO_CYCLES",
    "RECORD_DELAY",
    "A_TOP",
    "A_UP",
    "A_DOWN",
    "A_BOTTOM",
    "A_RECORD",
    "A_DELETE",
    "A_CLEAR",
    "IDS_MACRO_KB_KEY",
    "IDS_MACRO_MOU_KEY",
    "MACRO_KEYS_TISHI",
    "MACRO_ACTION_TISHI",
    "MACRO_DELAY_MS",
    "MACRO_NEW_PREFIX",
    "MACRO_DEFAULT_NAME",
    "MACRO_ERR_MAX",
    "MACRO_ERR_SAME",
    "MACRO_ERR_NAME_SYSTEM",
    "MACRO_ERR_RECORD",
    "MACRO_PROMPT_DEMO",
    "MACRO_DELETE_CONFIRM_OF_KEYS",
    "MACRO_ACTION_RECORD",
    "MACRO_ACTION_STOP_RECORD",
    "MACRO_ACTION_RECORD_DELAY",
    "MACRO_ACTION_CLEAR_CONFIRM",
    "MACRO_ACTION_ERR_MODIFY",
    "MACRO_ACTION_ERR_DELAY_MAX",
    "MACRO_ACTION_ERR_KEYS_PROMPT",
    "MACRO_ACTION_ERR_KEYS_PROMPT2",
    "UNKNOWN_KEY",
};

// Texts used as format strings, with the conversions their callers fill.
struct FormatText {
    const char* key;
    const char* conversions;
};
const FormatText kFormatTexts[] = {
    {"UNKNOWN_KEY", "d"},                 // the key code
    {"MACRO_ERR_MAX", "d"},               // 100
    {"MACRO_ACTION_ERR_DELAY_MAX", "d"},  // 40000
    {"PROFILE_FORMAT_ERROR", "s"},        // the file's path
    {"MAIN_REPORT_PROMPT", "d"},          // the report-rate button, 1 to 4
};

std::vector<std::string> AllTextKeys() {
    std::vector<std::string> keys(std::begin(kTextKeys), std::end(kTextKeys));
    for (const auto& row : keys::KeyTable) {
        if (row.nameKey[0] != '\0')
            keys.emplace_back(row.nameKey);
    }
    for (const auto& m : keys::MediaKeyList) keys.emplace_back(m.nameKey);
    for (const auto& f : keys::MouseFunctionList) keys.emplace_back(f.nameKey);
    for (const auto& f : keys::KeyboardFunctionList) keys.emplace_back(f.nameKey);
    return keys;
}

bool IsShownText(const std::string& text) {
    return !text.empty() && text != "#Error";
}

TEST(KeysLanguageFile, EveryKeyHasAText) {
    settings::LanguageFileTextSource texts(kLanguageFile);
    for (const std::string& key : AllTextKeys()) {
        EXPECT_TRUE(IsShownText(texts.Text(key))) << "TEXT " << key;
    }
    for (const char* key :
         {"Usb", "Deng", "Light", "FX", "Speed", "Color", "JColor", "DC", "Tool"}) {
        EXPECT_TRUE(IsShownText(texts.Light(key))) << "LIGHT " << key;
    }
    for (int code = 1; code <= 20; ++code) {
        if (code == 19)
            continue;
        EXPECT_TRUE(IsShownText(texts.Mode(code))) << "MODE " << code;
    }
    // Nothing in the file hides under a key the program never asks for.
    auto document = settings::LoadIniDocument(kLanguageFile);
    ASSERT_TRUE(document);
    std::vector<std::string> wanted = AllTextKeys();
    for (const std::string& key : document->Keys("TEXT")) {
        EXPECT_NE(std::find(wanted.begin(), wanted.end(), key), wanted.end()) << "unused " << key;
    }
}

TEST(KeysLanguageFile, FormatTextsTakeExactlyTheArgumentsPassed) {
    settings::LanguageFileTextSource texts(kLanguageFile);
    for (const std::string& key : AllTextKeys()) {
        std::string expected;
        for (const auto& f : kFormatTexts) {
            if (key == f.key)
                expected = f.conversions;
        }
        EXPECT_EQ(settings::FormatConversions(texts.Text(key)), expected) << key;
    }
    EXPECT_EQ(keys::KeyName(0x064, texts), settings::FormatText(texts.Text("UNKNOWN_KEY"), {100}));
    EXPECT_EQ(keys::KeyName(0x064, texts).find('%'), std::string::npos);
}

TEST(KeysLanguageFile, NamesOfTheListsInOrder) {
    settings::LanguageFileTextSource texts(kLanguageFile);
    EXPECT_EQ(keys::KeyName(0x039, texts), "Space");
    EXPECT_EQ(keys::KeyName(keys::MediaKeyList[1].key, texts), "Play/Pause");
    EXPECT_EQ(keys::ChooserName(40, texts), "Space");
    EXPECT_EQ(texts.Text("PROFILE_TIP"), "Current profile: ");
    EXPECT_EQ(texts.Text("MACRO_NEW_PREFIX") + "1", "Macro 1");
}

}  // namespace
