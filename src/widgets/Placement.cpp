#include "widgets/Placement.h"

#include <QWidget>

#include "settings/SkinRect.h"
#include "widgets/CPngButton.h"
#include "widgets/SkinSheets.h"

namespace widgets {

namespace {

QRect ToQRect(const settings::SkinRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace

void PlaceSkinButton(CPngButton* button, const std::string& iniFile, std::string_view section,
                     std::string_view key, const std::array<const SkinSheet*, 5>& sheets) {
    if (!button) {
        return;
    }
    const settings::SkinRect r = settings::ReadSkinRect(iniFile, section, key);
    button->setGeometry(ToQRect(r));
    button->setSheets(sheets, QPoint(r.x, r.y));
    // (1, 1) is where an absent key puts a control: such a button is not part
    // of this skin.
    if (r.x == 1 && r.y == 1) {
        button->setEnabled(false);
        button->hide();
    }
}

void PlaceControl(QWidget* control, const std::string& iniFile, std::string_view section,
                  std::string_view key) {
    if (!control) {
        return;
    }
    control->setGeometry(ToQRect(settings::ReadSkinRect(iniFile, section, key)));
}

void MoveControlKeepSize(QWidget* control, const std::string& iniFile, std::string_view section,
                         std::string_view key) {
    if (!control) {
        return;
    }
    const settings::SkinRect r = settings::ReadSkinRect(iniFile, section, key);
    control->move(r.x, r.y);
    control->update();
}

void PlaceArrowButton(CPngButton* button, const std::string& iniFile, std::string_view key,
                      std::string_view offsetKey, const SkinSheet& arrowSheet) {
    if (!button) {
        return;
    }
    const settings::SkinRect place = settings::ReadSkinRect(iniFile, kButtonInfoSection, key);
    const settings::SkinRect picture =
        settings::ReadSkinRect(iniFile, kButtonInfo2Section, offsetKey);
    button->setGeometry(ToQRect(place));
    // A skinned button cuts one pixel up and to the left of its offset, and the
    // offset rectangle names the picture's own corner.
    button->setSheets({&arrowSheet, &arrowSheet, &arrowSheet, &arrowSheet, &arrowSheet},
                      QPoint(picture.x + 1, picture.y + 1));
}

}  // namespace widgets
