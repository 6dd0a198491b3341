// The most-recently-used list: move to the front, a cap of five, and its store layout.
#include "app/mrulist.h"

#include "controls/settingsstore.h"

namespace {

QString FileKey(int i) {
    return "File" + QString::number(i);
}

} // namespace

void TFileUnitList::Add(const QString& Name) {
    FNames.removeOne(Name);
    FNames.prepend(Name);
    while (FNames.size() > MaxFiles) FNames.removeLast();
}

void TFileUnitList::Load(const QSettings& Store) {
    FNames.clear();
    const int n = ReadStoredInt(Store, "NumberOfFiles", 0);
    for (int i = 0; i < n && FNames.size() < MaxFiles; ++i) {
        const QString Name = Store.value(FileKey(i)).toString();
        if (!Name.isEmpty()) FNames.append(Name);
    }
}

void TFileUnitList::Save(QSettings& Store) const {
    Store.setValue("NumberOfFiles", QString::number(Count()));
    for (int i = 0; i < Count(); ++i) Store.setValue(FileKey(i), FNames[i]);
}
