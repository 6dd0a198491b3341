// TFileUnitList: the most-recently-used file names, most recent first, at most five, as kept in
// the settings store.
#pragma once

#include <QSettings>
#include <QStringList>

class TFileUnitList {
public:
    static constexpr int MaxFiles = 5;

    const QStringList& Names() const { return FNames; }
    int Count() const { return static_cast<int>(FNames.size()); }

    // Name goes to the front: moved there when listed (compared exactly), else inserted, the
    // oldest falling out of a full list.
    void Add(const QString& Name);
    // "NumberOfFiles" names from "File0" on; empty names are skipped, a missing or unreadable
    // count reads as none.
    void Load(const QSettings& Store);
    // The count and File0 .. File(n - 1); entries of an earlier, longer list stay unread.
    void Save(QSettings& Store) const;

private:
    QStringList FNames;
};
