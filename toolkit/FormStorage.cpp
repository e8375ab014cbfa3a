#include "toolkit/FormStorage.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>
#include <exception>
#include <utility>

#include "toolkit/PlacementSettings.h"
#include "toolkit/Prompter.h"
#include "toolkit/SettingsStore.h"

namespace {

const QString kFormVersion = QStringLiteral("FormVersion");

void Report(QWidget* parent, const QString& what, const QSettings& settings) {
    ShowErrorBox(parent, what + settings.fileName());
}

}  // namespace

TFormStorage::TFormStorage(QWidget& form, QString storeName,
                           std::vector<TStoredProperty> storedProps)
    : form_(&form),
      storeName_(std::move(storeName)),
      group_(QString::fromLatin1(form.metaObject()->className())),
      storedProps_(std::move(storedProps)) {
    form.installEventFilter(this);
}

TFormStorage::~TFormStorage() {
    if (form_) form_->removeEventFilter(this);
    SaveFormPlacement(true);
}

bool TFormStorage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form_) return false;
    if (event->type() == QEvent::Show && !event->spontaneous() && !restored_) {
        RestoreFormPlacement();
    } else if (event->type() == QEvent::Close) {
        // The form's own close handler decides first; the event is then fully handled here.
        static_cast<QObject*>(form_.data())->event(event);
        if (event->isAccepted()) SaveFormPlacement(false);
        return true;
    }
    return false;
}

void TFormStorage::RestoreFormPlacement() {
    if (!form_) return;
    restored_ = true;
    saved_ = false;
    RunCommand(form_, [this] {
        const std::unique_ptr<QSettings> settings = OpenSettingsStore(storeName_);
        settings->beginGroup(group_);
        if (ReadSettingNumber(*settings, kFormVersion, 0) >= 0) {
            RestorePlacement(*settings, *form_);
            RestoreProperties(*settings);
        }
        if (settings->status() != QSettings::NoError) {
            Report(form_, QStringLiteral("The settings could not be read from "), *settings);
        }
    });
    if (OnRestorePlacement) RunCommand(form_, OnRestorePlacement);
}

void TFormStorage::SaveFormPlacement(bool destroying) {
    if (!form_ || !restored_ || saved_) return;
    saved_ = true;
    // A form being destroyed is no parent for the error box.
    QWidget* parent = destroying ? nullptr : form_.data();
    RunCommand(parent, [this, destroying, parent] {
        const std::unique_ptr<QSettings> settings = OpenSettingsStore(storeName_);
        settings->beginGroup(group_);
        settings->setValue(kFormVersion, QStringLiteral("0"));
        WritePlacement(*settings, *form_, destroying);
        SaveProperties(*settings);
        settings->sync();
        // A damaged file is rewritten whole, so only an access error means nothing was saved.
        if (settings->status() == QSettings::AccessError) {
            Report(parent, QStringLiteral("The settings could not be written to "), *settings);
        }
    });
}

void TFormStorage::RestoreProperties(const QSettings& settings) {
    for (const TStoredProperty& property : storedProps_) {
        try {
            const QString text = settings.contains(property.Name)
                                     ? ReadSettingText(settings, property.Name)
                                     : property.Text();
            property.SetText(text.trimmed());
        } catch (const std::exception&) {
            // A property that cannot take its value keeps the one it has.
        }
    }
}

void TFormStorage::SaveProperties(QSettings& settings) const {
    for (const TStoredProperty& property : storedProps_) {
        settings.setValue(property.Name, property.Text().trimmed());
    }
}
