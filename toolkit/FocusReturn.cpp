#include "toolkit/FocusReturn.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

class TFocusReturn : public QObject {
public:
    explicit TFocusReturn(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("FocusReturn"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
        if (!watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow() || window->windowModality() == Qt::NonModal) return false;
        const auto open = std::find_if(opened_.begin(), opened_.end(),
                                       [window](const TOpened& o) { return o.Dialog == window; });
        if (event->type() == QEvent::Show) {
            if (open == opened_.end()) opened_.push_back({window, QApplication::focusWidget()});
        } else if (open != opened_.end()) {
            const QPointer<QWidget> focus = open->Focus;
            opened_.erase(open);
            QTimer::singleShot(0, this, [focus] { Restore(focus); });
        }
        return false;
    }

private:
    // Another dialog that opened meanwhile keeps the focus.
    static void Restore(const QPointer<QWidget>& focus) {
        if (!focus || !focus->isVisible()) return;
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != focus->window()) return;
        focus->window()->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }

    struct TOpened {
        QPointer<QWidget> Dialog;
        QPointer<QWidget> Focus;
    };
    std::vector<TOpened> opened_;
};

}  // namespace

void ReturnFocusAfterDialogs() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || application->findChild<QObject*>(QStringLiteral("FocusReturn"),
                                                             Qt::FindDirectChildrenOnly)) {
        return;
    }
    application->installEventFilter(new TFocusReturn(application));
}
