#include "ProfileMenu.h"

#include <QAction>
#include <QActionGroup>

#include "ProfileRows.h"

namespace profiles::ui {

ProfileMenu::ProfileMenu(ConfigSession& session, const settings::TextSource& texts, QObject* parent)
    : QObject(parent), session_(session), texts_(texts) {}

QString ProfileMenu::text(std::string_view key) const {
    return QString::fromStdString(texts_.Text(key));
}

// Every on-board profile lives in the one cache file, so the file name alone
// would label all three entries "$Profile0" and the profile button would never
// tell them apart. The language's profile names are used instead; the file
// name stays where a language file has none.
QString ProfileMenu::entryText(int profile) const {
    const std::string key = "PROFILE_" + std::to_string(profile + 1);
    const std::string name = texts_.Text(key);
    if (!name.empty() && name != settings::kMissingText)
        return QString::fromStdString(name);
    return rowForPath(QString::fromStdString(CachePath(session_.locations, profile).string())).name;
}

void ProfileMenu::BuildProfileMenu(bool create, QMenu* menu) {
    if ((create || !menu_) && menu && menu != menu_) {
        disconnect(triggered_);
        menu_ = menu;
        // The switch runs after the menu has finished with the action: it
        // rebuilds this menu, which deletes the action that was chosen.
        triggered_ = connect(menu_, &QMenu::triggered, this, [this](QAction* action) {
            if (!action->data().isValid())
                return;
            const int id = action->data().toInt();
            QMetaObject::invokeMethod(
                this, [this, id] { routeCommand(id); }, Qt::QueuedConnection);
        });
    }
    if (!menu_)
        return;
    const QList<QAction*> old = menu_->actions();
    for (qsizetype i = old.size() - 1; i >= 0; --i) {
        menu_->removeAction(old[i]);
        if (old[i]->parent() == menu_)
            delete old[i];
    }
    delete group_;

    auto* group = new QActionGroup(menu_);
    group_ = group;
    group->setExclusive(true);
    auto addEntry = [&](int id, const QString& label) {
        QAction* action = menu_->addAction(label);
        action->setData(id);
        action->setCheckable(true);
        group->addAction(action);
    };
    addEntry(kDefaultEntry, text("DEFAULT_PROFILE_NAME"));
    menu_->addSeparator();
    for (int i = 0; i < 3; ++i) addEntry(kFirstProfileEntry + i, entryText(i));

    // The check goes by position: the profile's entry follows the default
    // entry and the separator.
    const int current = session_.keyboard.GetCurrentProfile();
    const QList<QAction*> actions = menu_->actions();
    const qsizetype position = current >= 0 ? current + 2 : 0;
    QAction* checked = position < actions.size() ? actions[position] : actions[0];
    checked->setChecked(true);

    caption_ = checked->text();
    toolTip_ = text("PROFILE_TIP") + caption_;
    emit profileButtonTextChanged(caption_, toolTip_);
}

bool ProfileMenu::routeCommand(int id) {
    if (!isProfileCommand(id))
        return false;
    SwitchProfile(session_, id - kFirstProfileEntry);
    return true;
}

}  // namespace profiles::ui
