// Ini.cpp - plain "key=value" lines under "[SECTION]" headings, CRLF line ends
// as the skin files have always had.
#include "Ini.h"

#include <QFile>

namespace skin {

void Ini::set(const QString& section, const QString& key, const QString& value) {
    for (Section& s : sections_) {
        if (s.name != section)
            continue;
        for (auto& e : s.entries)
            if (e.first == key) {
                e.second = value;
                return;
            }
        s.entries.emplace_back(key, value);
        return;
    }
    sections_.push_back({section, {{key, value}}});
}

void Ini::rect(const QString& section, const QString& key, const QRect& r) {
    set(section, key,
        QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
}

bool Ini::write(const QString& path) const {
    QByteArray out;
    for (const Section& s : sections_) {
        if (!out.isEmpty())
            out += "\r\n";
        out += '[' + s.name.toUtf8() + "]\r\n";
        for (const auto& e : s.entries) out += e.first.toUtf8() + '=' + e.second.toUtf8() + "\r\n";
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(out) == out.size();
}

}  // namespace skin
