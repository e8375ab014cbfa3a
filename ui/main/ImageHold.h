#pragma once

class TMain;

// Keeps the grid's images alive while a command's dialog shows or writes them: a load request
// made meanwhile (the folder tree moving off a folder that vanished) is put off, and one
// restart follows when the last hold ends.
class TImageHold {
public:
    explicit TImageHold(TMain& Main);
    ~TImageHold();
    TImageHold(const TImageHold&) = delete;
    TImageHold& operator=(const TImageHold&) = delete;

private:
    TMain& Main;
};
