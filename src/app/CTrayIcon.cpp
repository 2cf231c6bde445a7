#include "CTrayIcon.h"

#include <QAction>
#include <QFile>

namespace app {

CTrayIcon::CTrayIcon(QString skinFolder, QObject* parent)
    : QObject(parent), skinFolder_(std::move(skinFolder)) {}

CTrayIcon::~CTrayIcon() {
    Remove();
}

QIcon CTrayIcon::pictureIcon(int id) const {
    const QString path = skinFolder_ + "/tray" + QString::number(id) + ".png";
    if (QFile::exists(path))
        return QIcon(path);
    const QString appIcon = skinFolder_ + "/keytune.png";
    return QFile::exists(appIcon) ? QIcon(appIcon) : QIcon();
}

bool CTrayIcon::Create(const QString& tip, int pictureId) {
    Remove();
    menu_ = std::make_unique<QMenu>();
    const std::pair<int, const char*> entries[] = {
        {kOpenCommand, "open"}, {kAboutCommand, "about"}, {kExitCommand, "exit"}};
    for (const auto& [id, name] : entries) {
        QAction* action = menu_->addAction(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, id = id] { emit command(id); });
    }
    // The first entry is what a double click does; it is drawn bold.
    QFont bold = menu_->font();
    bold.setBold(true);
    menu_->actions().first()->setFont(bold);
    menu_->setDefaultAction(menu_->actions().first());
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        if (labelMenu)
            labelMenu(*menu_);
    });
    if (labelMenu)
        labelMenu(*menu_);

    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    emit command(kOpenCommand);
            });
    picture_ = pictureId;
    icon_->setIcon(pictureIcon(pictureId));
    SetTip(tip);
    icon_->show();
    return true;
}

void CTrayIcon::SetPicture(int pictureId) {
    if (!icon_)
        return;
    picture_ = pictureId;
    icon_->setIcon(pictureIcon(pictureId));
}

void CTrayIcon::SetTip(const QString& tip) {
    tip_ = tip.left(kTipLength);
    if (icon_)
        icon_->setToolTip(tip_);
}

void CTrayIcon::Remove() {
    if (icon_) {
        icon_->hide();
        icon_.reset();
    }
    menu_.reset();
}

bool CTrayIcon::available() {
    if (!icon_ || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    // A notification area that appeared after the icon was made gets it now.
    if (!icon_->isVisible())
        icon_->show();
    return true;
}

}  // namespace app
