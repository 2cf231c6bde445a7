// Ini.h - an ini file written in the order its entries were added.
#pragma once

#include <QRect>
#include <QString>
#include <utility>
#include <vector>

namespace skin {

class Ini {
  public:
    void set(const QString& section, const QString& key, const QString& value);
    void rect(const QString& section, const QString& key, const QRect& r);
    bool write(const QString& path) const;

  private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> entries;
    };
    std::vector<Section> sections_;
};

}  // namespace skin
