#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "toolkit/StoredProperty.h"

class QSettings;
class QWidget;

// Keeps a form's placement and a list of its properties in the per-user settings store, in the
// group named after the form's class. It restores them when the form is first shown (before
// the form's own show handler), and saves them once: when a close of the form is accepted (after
// the form's own close handler), or when the storage is destroyed without having saved. Nothing
// is saved unless a restore happened. A store that cannot be read or written is reported in the
// standard error box, and the form goes on as if the step had been done.
//
// The storage must not outlive its form: keep it in a member that is destroyed while the form's
// controls still exist, so the save at destruction can read them.
class TFormStorage : public QObject {
public:
    // storeName names the store, normally the program file's name without extension.
    TFormStorage(QWidget& form, QString storeName, std::vector<TStoredProperty> storedProps);
    ~TFormStorage() override;

    // Raised at the end of every restore.
    std::function<void()> OnRestorePlacement;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RestoreFormPlacement();
    // Writes everything, unless no restore happened or it was written since the last restore.
    void SaveFormPlacement(bool destroying);
    void RestoreProperties(const QSettings& settings);
    void SaveProperties(QSettings& settings) const;

    QPointer<QWidget> form_;
    QString storeName_;
    QString group_;
    std::vector<TStoredProperty> storedProps_;
    bool restored_ = false;
    bool saved_ = false;
};
