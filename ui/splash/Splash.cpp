#include "ui/splash/Splash.h"

#include <QCoreApplication>
#include <QThread>
#include <QWindow>
#include <memory>

#include "toolkit/TickCount.h"
#include "ui/splash/SplashPicture.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/FramedPicture.h"

namespace {

constexpr std::int32_t kMinimumShownMs = 1000;
constexpr std::int32_t kBackwardsWaitMs = 100;
constexpr std::uint32_t kExposeWaitMs = 500;  // longest wait for the window system to map it
constexpr int kExposeSliceMs = 10;

std::unique_ptr<TSplashForm> splashForm;
std::uint32_t splashShownTick = 0;

}  // namespace

TSplashForm::TSplashForm()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      pnlSplash(new TFramedPicture(SplashPicture(devicePixelRatioF()), this)) {
    pnlSplash->setObjectName(QStringLiteral("pnlSplash"));
    setFixedSize(pnlSplash->size());
    CentreOnScreen(this);
}

// The window system maps a window some time after it is shown and paints nothing of it until
// then; the main window is built without serving events, so the splash is painted once it is
// on screen, before it returns.
void ShowSplash() {
    splashForm = std::make_unique<TSplashForm>();
    splashShownTick = TickCount();
    splashForm->show();
    const QWindow* window = splashForm->windowHandle();
    const std::uint32_t started = TickCount();
    while (window && !window->isExposed() && TickCount() - started < kExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kExposeSliceMs);
    }
    splashForm->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void HideSplash() {
    const std::int32_t remaining = SplashRemainingMs(splashShownTick, TickCount());
    if (remaining > 0) QThread::msleep(static_cast<unsigned long>(remaining));
    splashForm.reset();
}

TSplashForm* SplashForm() {
    return splashForm.get();
}

std::int32_t SplashRemainingMs(std::uint32_t shownTick, std::uint32_t nowTick) {
    const std::uint32_t elapsed = nowTick - shownTick;
    // 1000 - elapsed in wrapping 32-bit arithmetic, read as signed.
    const auto remaining = static_cast<std::int32_t>(std::uint32_t{kMinimumShownMs} - elapsed);
    return remaining > kMinimumShownMs ? kBackwardsWaitMs : std::max(remaining, 0);
}
