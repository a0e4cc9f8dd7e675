#pragma once

class CApplication;

// The settings screen: the landscape and music selectors and the back button. The stored
// values are read when it opens and kept only when it is left by the back button.
class CSettingsScreen {
public:
    explicit CSettingsScreen(CApplication& app) : app_(app) {}

    void enter();
    void storeValues();
    void draw();

private:
    CApplication& app_;
};
