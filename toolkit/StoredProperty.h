#pragma once

#include <QString>
#include <functional>

// One property a form storage keeps: the value's name and how to read the property as text and
// set it from text. The factories below hold the text encodings; the storage only trims blanks.
struct TStoredProperty {
    QString Name;
    std::function<QString()> Text;
    std::function<void(const QString&)> SetText;
};

// A whole number stored in decimal; a text that is not a number sets 0.
TStoredProperty DecimalProperty(const QString& name, std::function<int()> get,
                                std::function<void(int)> set);

// A whole number stored in decimal that only values `fits` takes may set: a text that is not
// a number, or a value out of range, leaves the property as it is (its design value when the
// form is first restored), so a damaged store cannot make the form unusable and the repaired
// value is the one saved next.
TStoredProperty CheckedDecimalProperty(const QString& name, std::function<int()> get,
                                       std::function<void(int)> set, std::function<bool(int)> fits);

// A flag stored as "True" or "False"; other texts (case aside) leave the property unchanged.
TStoredProperty BooleanProperty(const QString& name, std::function<bool()> get,
                                std::function<void(bool)> set);

// A text stored as it is.
TStoredProperty TextProperty(const QString& name, std::function<QString()> get,
                             std::function<void(const QString&)> set);
