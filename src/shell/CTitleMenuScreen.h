#pragma once

class CApplication;

// The title menu: one picture, and five hotspots whose highlight frame shows which entry the
// pointer is on. A click on an entry acts at once.
class CTitleMenuScreen {
public:
    explicit CTitleMenuScreen(CApplication& app) : app_(app) {}

    // Makes the hotspots with their places and actions.
    void makeHotspots();
    void enter();
    void draw();

private:
    void startOracle();
    void openSettings();
    void quitToHomePage();
    void openHelp();
    void exitProgram();

    CApplication& app_;
};
