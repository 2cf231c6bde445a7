#include "AboutBox.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "settings/SettingsPaths.h"

namespace app {

AboutBox::AboutBox(const settings::TextSource& texts, const QUrl& web, QWidget* parent)
    : QDialog(parent),
      texts_(texts),
      picture_(new QLabel(this)),
      description_(new QLabel(this)),
      copyright_(new QLabel(this)),
      link_(new QLabel(this)),
      ok_(new QPushButton(this)) {
    setObjectName("AboutBox");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    const QString icon =
        QString::fromStdString(settings::GetProgramPaths().skinFolder) + "keytune.png";
    QPixmap pixmap(icon);
    if (!pixmap.isNull())
        picture_->setPixmap(pixmap.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    description_->setWordWrap(true);
    description_->setObjectName("GUANYU_JIESHAO");
    copyright_->setObjectName("GUANYU_BANQUAN");
    link_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(web.toString().toHtmlEscaped()));
    link_->setOpenExternalLinks(true);
    link_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    auto* version = new QLabel(QStringLiteral("Keytune %1").arg(KEYTUNE_VERSION), this);
    auto* texts_column = new QVBoxLayout;
    texts_column->addWidget(version);
    texts_column->addWidget(description_);
    texts_column->addWidget(copyright_);
    texts_column->addWidget(link_);
    auto* top = new QHBoxLayout;
    top->addWidget(picture_, 0, Qt::AlignTop);
    top->addLayout(texts_column, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(420);
    onLanguage(0);
}

void AboutBox::onLanguage(int) {
    setWindowTitle(QString::fromStdString(texts_.Text("LANG_ABOUT_TITLE")));
    description_->setText(QString::fromStdString(texts_.Text("GUANYU_JIESHAO")));
    copyright_->setText(QString::fromStdString(texts_.Text("GUANYU_BANQUAN")));
    ok_->setText(QString::fromStdString(texts_.Text("LANG_ABOUT_OK")));
}

}  // namespace app
