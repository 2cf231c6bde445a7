#include "ProfileRows.h"

#include <QDir>

#include "settings/SettingsValues.h"

namespace profiles::ui {

ProfileRow rowForPath(const QString& path) {
    const QString native = QDir::fromNativeSeparators(path);
    const qsizetype slash = native.lastIndexOf(u'/');
    ProfileRow row;
    row.folder = slash >= 0 ? native.left(slash + 1) : QString();
    QString file = native.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(u'.');
    // A leading dot starts a hidden file's name, not an extension.
    if (dot > 0)
        file.truncate(dot);
    row.name = file;
    return row;
}

QString recordedPath(const ProfileRow& row) {
    return row.folder + row.name + QStringLiteral(".kpf");
}

QString recordedKey(int row) {
    return QStringLiteral("PROFILE%1").arg(row + 1, 2, 10, QLatin1Char('0'));
}

void RecordProfilePaths(const std::vector<ProfileRow>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
        settings::WriteAppSetting(settings::kProfilesSection,
                                  recordedKey(static_cast<int>(r)).toStdString(),
                                  recordedPath(rows[r]).toStdString());
    settings::WriteAppSetting(settings::kProfilesSection, "PROFILE00", std::to_string(rows.size()));
}

}  // namespace profiles::ui
