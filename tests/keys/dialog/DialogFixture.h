// DialogFixture.h - a key assignment dialog on a small skin of its own (a
// background, the page picture sets and every control's rectangle), a
// working store, scripted prompts and a main window stand-in.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "AssignmentBlock.h"
#include "AssignmentStore.h"
#include "ConfigTestSupport.h"
#include "Keytune_DlgComposite.h"
#include "UiTestSupport.h"

namespace dialogtest {

class FakeHost : public keysui::CompositeDialogHost {
  public:
    int profile = 0;
    int layer = 0;
    bool selectionMode = false;
    QRect button{100, 100, 40, 30};
    QRect mainWindow{0, 0, 800, 600};
    std::vector<int> toggled;
    std::vector<std::pair<int, bool>> downs;
    int assignmentShows = 0;
    int pendingMarks = 0;
    int helpOpened = 0;

    int currentProfile() const override { return profile; }
    int gKeyLayer() const override { return layer; }
    bool colourSelectionMode() const override { return selectionMode; }
    void toggleKeySelection(int id) override { toggled.push_back(id); }
    QRect buttonScreenRect(int) const override { return button; }
    QRect mainWindowScreenRect() const override { return mainWindow; }
    void setButtonDown(int id, bool down) override { downs.emplace_back(id, down); }
    void showKeyAssignments() override { ++assignmentShows; }
    void setPendingChanges() override { ++pendingMarks; }
    void openHelp() override { ++helpOpened; }
};

// Writes the skin into folder: pictures tinted per set so a rendered page
// shows which set a control took.
inline std::string WriteFixtureSkin(const QString& folder) {
    const QSize size(560, 430);
    auto sheet = [&](const QString& name, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QPainter p(&image);
        p.setPen(colour.lighter(160));
        for (int y = 0; y < size.height(); y += 24) p.drawLine(0, y, size.width(), y);
        p.end();
        image.save(folder + "/" + name, "JPG");
    };
    const std::pair<const char*, QColor> sets[] = {{"key", QColor(40, 60, 90)},
                                                   {"macro", QColor(70, 40, 90)},
                                                   {"macro2", QColor(60, 60, 60)},
                                                   {"media", QColor(30, 80, 60)},
                                                   {"function", QColor(90, 70, 30)}};
    for (const auto& [set, colour] : sets) {
        sheet(QString("%1_normal.jpg").arg(set), colour);
        sheet(QString("%1_over.jpg").arg(set), colour.lighter(130));
        sheet(QString("%1_down.jpg").arg(set), colour.darker(140));
        sheet(QString("%1_disable.jpg").arg(set), QColor(50, 50, 50));
    }
    sheet("composite_bg.jpg", QColor(24, 26, 30));
    const std::string ini =
        "[SCREEN]\nMain=composite_bg.jpg\n"
        "[BUTTONINFO]\n"
        "CONTROL_TITLE=10,10,300,30\nCONTROL_MASK=20,90,520,250\n"
        "CONTROL_KEY=20,50,120,32\nCONTROL_MACRO=145,50,120,32\n"
        "CONTROL_MEDIA=270,50,120,32\nCONTROL_FUNCTION=395,50,120,32\n"
        "CONTROL_CLEAR=480,10,30,30\nCONTROL_OSK=515,10,30,30\n"
        "CONTROL_OK=300,385,110,32\nCONTROL_CANCEL=420,385,110,32\nCONTROL2_APPLY=180,385,110,32\n"
        "KEY_SETTING=320,14,150,24\n"
        "TISHI_SINGLE_STATIC=40,100,480,40\nFUNC_KEY_INPUT=40,150,480,48\n"
        "FUNC_KEY_RADIO_KB=40,215,20,20\nFUNC_KEY_RADIO_KB_STATIC=65,215,180,20\n"
        "FUNC_KEY_RADIO_MOU=260,215,20,20\nFUNC_KEY_RADIO_MOU_STATIC=285,215,180,20\n"
        "FUNC_KEY_COMBO_MOU=260,245,260,30\n"
        "MEDIA_SETTING_TISHI=40,100,480,40\nFUNC_MEDIA_SELECT=40,150,480,32\n"
        "FUNCTION_KEY_SETTING_TISHI=40,100,480,40\nFUNC_FUNCTION_SELECT=40,150,480,32\n"
        "MARCO_NAME_SETTING=30,95,300,22\nFUNC_MACRO_LIST=30,120,250,28\n"
        "FUNC_MACRO_ADD=285,120,28,28\nFUNC_MACRO_DELETE=318,120,28,28\n"
        "FUNC_MACRO_LIST2=30,155,316,180\n"
        "FUNC_MACRO_RECORD=360,120,170,30\nFUNC_MACRO_UP_TOP=360,155,82,26\n"
        "FUNC_MACRO_UP=448,155,82,26\nFUNC_MACRO_DOWN=360,186,82,26\n"
        "FUNC_MACRO_DOWN_BOTTOM=448,186,82,26\nFUNC_MACRO_DELETE2=360,217,82,26\n"
        "FUNC_MACRO_CLEAR=448,217,82,26\nFUNC_MACRO_CYCLES_PROMPT=360,255,110,22\n"
        "FUNC_MACRO_CYCLES=475,252,55,26\nFUNC_MACRO_RECORD_DELAY=360,290,20,20\n"
        "FUNC_MACRO_RECORD_DELAY2=385,290,145,20\n";
    const std::string path = (folder + "/Composite.ini").toStdString();
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(ini.data(), 1, ini.size(), f);
    std::fclose(f);
    return path;
}

// The control id of a key's button on the main window.
inline int ControlOfKey(keys::KeyCode key) {
    for (const keys::KeyButton& b : keys::KeyButtonTable)
        if (b.key == key)
            return b.controlId;
    return -1;
}

struct Fixture {
    FakeHost host;
    keys::AssignmentStore store;
    testing_config::ScriptedPrompts prompts;
    uitest::TestTexts texts;
    std::unique_ptr<keysui::Keytune_DlgComposite> dialog;

    explicit Fixture(const QString& skinFolder, const std::string& ini) {
        store.block = std::make_unique<keys::AssignmentBlock>();
        dialog = std::make_unique<keysui::Keytune_DlgComposite>(host, store, prompts, texts,
                                                                skinFolder, ini);
    }
    keys::KeyAssignment& record(int profile, int keyIndex) {
        return store.block->records[static_cast<size_t>(profile) * 512 + keyIndex];
    }
    template <class T>
    T* control(int id) {
        return qobject_cast<T*>(dialog->control(id));
    }
    void click(int id) { control<QAbstractButton>(id)->click(); }
};

}  // namespace dialogtest
