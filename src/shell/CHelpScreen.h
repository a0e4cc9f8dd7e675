#pragma once

class CApplication;

// The help screen: one picture and the back button.
class CHelpScreen {
public:
    explicit CHelpScreen(CApplication& app) : app_(app) {}

    void draw();

private:
    CApplication& app_;
};
