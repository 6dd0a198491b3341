// The per-user settings store: the program's own section of the settings of organisation
// "Quarnel", and whole numbers read from it as text.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The store of organisation "Quarnel" and application ProgramBaseName, opened on Section.
std::unique_ptr<QSettings> OpenSettingsStore(const QString& Section);
// A stored whole number, or Default when the value is missing or is no number.
int ReadStoredInt(const QSettings& Store, const QString& Key, int Default);
