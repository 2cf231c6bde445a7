// ProfileMenu.h - the profile menu: the default entry, a separator and the
// keyboard's three on-board profiles, with a check mark on the current one.
//
// The main window owns the QMenu (its profile button pops it up) and keeps
// this object beside it. Choosing an entry switches the keyboard's profile
// through SwitchProfile; the main window routes command ids 9000..9200 of its
// own through routeCommand as well.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include "ProfileOperations.h"
#include "settings/TextSource.h"

namespace profiles::ui {

class ProfileMenu : public QObject {
    Q_OBJECT

  public:
    static constexpr int kDefaultEntry = 9000;       // no profile selected
    static constexpr int kFirstProfileEntry = 9001;  // 9001..9003: profiles 0..2
    static constexpr int kLastCommand = 9200;        // end of the routed range

    // texts must outlive the menu; settings::ProgramTexts() in the program.
    ProfileMenu(ConfigSession& session, const settings::TextSource& texts,
                QObject* parent = nullptr);

    // create: attach `menu` as the profile menu (the first time). Otherwise
    // empty the attached menu and fill it again. Checks the current profile's
    // entry (the default entry while the keyboard gives no profile) and
    // announces the profile button's caption and tooltip.
    void BuildProfileMenu(bool create, QMenu* menu = nullptr);

    QMenu* menu() const { return menu_; }
    QString caption() const { return caption_; }
    QString toolTip() const { return toolTip_; }

    static bool isProfileCommand(int id) { return id >= kDefaultEntry && id <= kLastCommand; }
    // SwitchProfile(id - 9001) for an id of the profile range; false (nothing
    // done) for any other id.
    bool routeCommand(int id);

  signals:
    // The profile button (control 1005) shows the checked entry's text, and
    // "PROFILE_TIP" followed by that text as its tooltip.
    void profileButtonTextChanged(const QString& caption, const QString& toolTip);

  private:
    QString entryText(int profile) const;
    QString text(std::string_view key) const;

    ConfigSession& session_;
    const settings::TextSource& texts_;
    QPointer<QMenu> menu_;
    QPointer<QObject> group_;
    QMetaObject::Connection triggered_;
    QString caption_, toolTip_;
};

}  // namespace profiles::ui
