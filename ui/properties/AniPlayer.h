#pragma once

#include <QObject>
#include <QTimer>

class TLoadedIcon;
class TLoadedIconImage;

// Plays an animated cursor step by step, as its "rate" and "seq " chunks say: each step shows
// the image of its frame that matches the opened image in size and depth (else the frame's
// first) for the step's time, and the steps go round.
class TAniPlayer : public QObject {
    Q_OBJECT
public:
    explicit TAniPlayer(QObject* parent = nullptr);

    // Stands at the first step of icon's animation, paused and not yet shown; false for an
    // icon without one.
    bool Load(const TLoadedIcon& icon, const TLoadedIconImage& like);
    // Shows the current step and goes on from it.
    void Play();
    void Pause();
    bool Playing() const { return timer_.isActive(); }
    // Goes on to the next step (the first after the last) and shows it.
    void Next();
    std::size_t Step() const { return step_; }
    // The time the current step shows, in milliseconds.
    int StepTime() const;

signals:
    void Shown(const TLoadedIconImage* image);

private:
    void Show();

    const TLoadedIcon* icon_ = nullptr;
    const TLoadedIconImage* like_ = nullptr;
    std::size_t step_ = 0;
    QTimer timer_;
};
