#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user settings store named storeName (the program file's name without extension).
// On Windows it is the registry key HKEY_CURRENT_USER\Software\<storeName>; elsewhere the file
// <storeName>/<storeName>.conf in the user's configuration folder ($XDG_CONFIG_HOME, or the
// folder QSettings::setPath names for the native format).
std::unique_ptr<QSettings> OpenSettingsStore(const QString& storeName);

// The value `name` of the current group as text: empty when absent; a value that a hand edit
// left as a comma-separated list is joined back with commas.
QString ReadSettingText(const QSettings& settings, const QString& name);

// The value `name` of the current group as a decimal number; `absent` when it is missing or
// not a number.
int ReadSettingNumber(const QSettings& settings, const QString& name, int absent);
