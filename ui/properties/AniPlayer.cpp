#include "ui/properties/AniPlayer.h"

#include <algorithm>

#include "icons/AniAnimation.h"
#include "icons/LoadedIcon.h"

namespace {

constexpr int kLeastStepTime = 10;  // ms: a rate of 0 still lets the window breathe

}  // namespace

TAniPlayer::TAniPlayer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        Next();
        timer_.start(StepTime());
    });
}

bool TAniPlayer::Load(const TLoadedIcon& icon, const TLoadedIconImage& like) {
    timer_.stop();
    if (!icon.Animation || icon.Animation->Steps() == 0) return false;
    icon_ = &icon;
    like_ = &like;
    step_ = 0;
    return true;
}

void TAniPlayer::Play() {
    if (!icon_) return;
    Show();
    timer_.start(StepTime());
}

void TAniPlayer::Pause() {
    timer_.stop();
}

void TAniPlayer::Next() {
    if (!icon_) return;
    step_ = (step_ + 1) % icon_->Animation->Steps();
    Show();
}

int TAniPlayer::StepTime() const {
    return icon_ ? std::max(kLeastStepTime, icon_->Animation->StepMilliseconds(step_)) : 0;
}

void TAniPlayer::Show() {
    emit Shown(FrameImage(*icon_, icon_->Animation->StepFrame(step_), *like_));
}
