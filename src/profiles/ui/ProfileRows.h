// ProfileRows.h - the rows of the profile manager's list as data: a file's
// name and folder, and the paths the manager's Apply records in the settings.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace profiles::ui {

struct ProfileRow {
    QString name;    // file name without folder and extension
    QString folder;  // the file's folder, ending in a separator
    bool operator==(const ProfileRow&) const = default;
};

// Splits a file path into its row: "/a/b/Gaming.kpf" -> {"Gaming", "/a/b/"}.
// Only the last extension is dropped ("x.y.kpf" -> "x.y"); a name without one
// ("$Profile0") stays whole.
ProfileRow rowForPath(const QString& path);

// What a row is recorded as: folder + name + ".kpf".
QString recordedPath(const ProfileRow& row);

// The settings key of row r (0-based): "PROFILE01", "PROFILE02", ...
QString recordedKey(int row);

// Writes "PROFILE01".."PROFILEnn" for the rows in order, then "PROFILE00" =
// the number of rows, into section PROFILES of the application's settings.
void RecordProfilePaths(const std::vector<ProfileRow>& rows);

}  // namespace profiles::ui
