#include "toolkit/SettingsStore.h"

#include <QStringList>
#include <QVariant>

std::unique_ptr<QSettings> OpenSettingsStore(const QString& storeName) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + storeName,
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, storeName,
                                       storeName);
#endif
}

QString ReadSettingText(const QSettings& settings, const QString& name) {
    const QVariant value = settings.value(name);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    return value.toString();
}

int ReadSettingNumber(const QSettings& settings, const QString& name, int absent) {
    bool ok = false;
    const int value = ReadSettingText(settings, name).trimmed().toInt(&ok, 10);
    return ok ? value : absent;
}
