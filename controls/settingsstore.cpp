// The program's settings store and its number values.
#include "controls/settingsstore.h"

#include "geometry/textutil.h"

std::unique_ptr<QSettings> OpenSettingsStore(const QString& Section) {
    auto Store = std::make_unique<QSettings>("Quarnel", QString::fromStdString(ProgramBaseName()));
    // Only this program's own store: the organisation-wide file Qt would fall back on may hold
    // another program's windows.
    Store->setFallbacksEnabled(false);
    Store->beginGroup(Section);
    return Store;
}

int ReadStoredInt(const QSettings& Store, const QString& Key, int Default) {
    bool Ok = false;
    const int Value = Store.value(Key).toString().toInt(&Ok);
    return Ok ? Value : Default;
}
