// AboutBox.h - the non-modal About box: title, description, copyright, the
// maker's web address and OK, every text from the language file and
// relabelled on the language message.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "settings/TextSource.h"

namespace app {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(const settings::TextSource& texts, const QUrl& web, QWidget* parent);
    void onLanguage(int index);

  private:
    const settings::TextSource& texts_;
    QLabel* picture_;
    QLabel* description_;
    QLabel* copyright_;
    QLabel* link_;
    QPushButton* ok_;
};

}  // namespace app
