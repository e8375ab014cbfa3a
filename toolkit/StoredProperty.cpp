#include "toolkit/StoredProperty.h"

#include <utility>

TStoredProperty DecimalProperty(const QString& name, std::function<int()> get,
                                std::function<void(int)> set) {
    return {name, [get = std::move(get)] { return QString::number(get()); },
            [set = std::move(set)](const QString& text) {
                bool ok = false;
                const int value = text.toInt(&ok, 10);
                set(ok ? value : 0);
            }};
}

TStoredProperty CheckedDecimalProperty(const QString& name, std::function<int()> get,
                                       std::function<void(int)> set,
                                       std::function<bool(int)> fits) {
    return {name, [get = std::move(get)] { return QString::number(get()); },
            [set = std::move(set), fits = std::move(fits)](const QString& text) {
                bool ok = false;
                const int value = text.toInt(&ok, 10);
                if (ok && fits(value)) set(value);
            }};
}

TStoredProperty BooleanProperty(const QString& name, std::function<bool()> get,
                                std::function<void(bool)> set) {
    return {
        name,
        [get = std::move(get)] { return get() ? QStringLiteral("True") : QStringLiteral("False"); },
        [set = std::move(set)](const QString& text) {
            if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) set(true);
            if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) set(false);
        }};
}

TStoredProperty TextProperty(const QString& name, std::function<QString()> get,
                             std::function<void(const QString&)> set) {
    return {name, std::move(get), std::move(set)};
}
