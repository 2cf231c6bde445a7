// DialogLayouts.cpp - control rectangles of the two dialogs.
#include "DialogLayouts.h"

namespace skin {

CompositeLayout buildCompositeLayout() {
    CompositeLayout L;
    L.size = QSize(640, 460);
    L.titleBar = QRectF(0, 0, 640, 48);
    L.page = QRectF(16, 102, 608, 296);
    L.footer = QRectF(0, 406, 640, 54);
    auto plain = [&](const char* key, QRectF r) { L.add({key, r}); };

    // Title: the dialog's mark and its heading.
    L.add({"CONTROL_TITLE", {16, 10, 28, 28}, Role::Picture});
    plain("KEY_SETTING", {54, 13, 420, 22});
    // Page tabs (captions from the language file), Clear and the on-screen keyboard.
    const char* tabs[] = {"CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION"};
    for (int i = 0; i < 4; ++i) L.add({tabs[i], {16.0 + i * 124, 58, 120, 32}, Role::Toggle});
    Item clear{"CONTROL_CLEAR", {552, 58, 32, 32}, Role::Push};
    clear.glyph = Glyph::Eraser;
    L.add(clear);
    Item osk{"CONTROL_OSK", {592, 58, 32, 32}, Role::Push};
    osk.glyph = Glyph::Keyboard;
    L.add(osk);
    L.add({"CONTROL_MASK", L.page, Role::Picture});

    // Single-key page.
    plain("TISHI_SINGLE_STATIC", {36, 116, 568, 22});
    plain("FUNC_KEY_RADIO_KB", {36, 154, 20, 20});
    plain("FUNC_KEY_RADIO_KB_STATIC", {62, 154, 260, 20});
    plain("FUNC_KEY_INPUT", {36, 184, 568, 48});
    plain("FUNC_KEY_RADIO_MOU", {36, 256, 20, 20});
    plain("FUNC_KEY_RADIO_MOU_STATIC", {62, 256, 260, 20});
    plain("FUNC_KEY_COMBO_MOU", {36, 286, 300, 30});
    // Macro page: chooser with add and delete, the action list (three columns
    // of 60, 60 and 68 px plus a scroll bar), the edit buttons, repeat count
    // and the record-delay box.
    plain("MARCO_NAME_SETTING", {36, 114, 300, 20});
    plain("FUNC_MACRO_LIST", {36, 138, 300, 30});
    Item add{"FUNC_MACRO_ADD", {344, 138, 30, 30}, Role::Push};
    add.glyph = Glyph::Plus;
    L.add(add);
    Item del{"FUNC_MACRO_DELETE", {380, 138, 30, 30}, Role::Push};
    del.glyph = Glyph::Trash;
    L.add(del);
    plain("FUNC_MACRO_LIST2", {36, 178, 212, 204});
    Item record{"FUNC_MACRO_RECORD", {260, 178, 150, 32}, Role::Push};
    record.primary = true;
    L.add(record);
    const char* edits[] = {"FUNC_MACRO_UP_TOP",      "FUNC_MACRO_UP",      "FUNC_MACRO_DOWN",
                           "FUNC_MACRO_DOWN_BOTTOM", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR"};
    for (int i = 0; i < 6; ++i)
        L.add({edits[i], {260.0 + (i % 2) * 78, 222.0 + (i / 2) * 36, 72, 30}, Role::Push});
    plain("FUNC_MACRO_CYCLES_PROMPT", {430, 178, 178, 20});
    plain("FUNC_MACRO_CYCLES", {430, 202, 80, 28});
    plain("FUNC_MACRO_RECORD_DELAY", {430, 246, 20, 20});
    plain("FUNC_MACRO_RECORD_DELAY2", {456, 246, 152, 20});
    // Multimedia and function pages.
    plain("MEDIA_SETTING_TISHI", {36, 116, 568, 22});
    plain("FUNC_MEDIA_SELECT", {36, 150, 300, 32});
    plain("FUNCTION_KEY_SETTING_TISHI", {36, 116, 568, 22});
    plain("FUNC_FUNCTION_SELECT", {36, 150, 300, 32});

    // Footer.
    Item ok{"CONTROL_OK", {296, 414, 104, 32}, Role::Push};
    ok.primary = true;
    L.add(ok);
    L.add({"CONTROL_CANCEL", {408, 414, 104, 32}, Role::Push});
    L.add({"CONTROL2_APPLY", {520, 414, 104, 32}, Role::Apply});
    return L;
}

ProfileLayout buildProfileLayout() {
    ProfileLayout L;
    L.size = QSize(560, 360);
    L.titleBar = QRectF(0, 0, 560, 48);
    L.list = QRectF(20, 62, 430, 232);
    L.add({"CONTROL_CAPTION", {54, 13, 420, 22}});
    L.add({"PROGRAM_LIST", L.list});
    const char* side[] = {"FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE"};
    for (int i = 0; i < 3; ++i) L.add({side[i], {462, 62.0 + i * 40, 78, 32}, Role::Push});
    Item ok{"CONTROL_OK", {224, 312, 100, 32}, Role::Push};
    ok.primary = true;
    L.add(ok);
    L.add({"CONTROL_CANCEL", {332, 312, 100, 32}, Role::Push});
    L.add({"CONTROL2_APPLY", {440, 312, 100, 32}, Role::Apply});
    return L;
}

}  // namespace skin
