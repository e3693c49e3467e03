#pragma once

// The game session: the mode, difficulty and progress of the game being
// played, and the in-stage scenes. The application hands it every key event
// and, in a stage, its update and drawing.
class CXGameSession {
  public:
    static CXGameSession& instance();

    // Every key event of the keyboard and the joystick, in menus and stages.
    void keyEvent(int code, bool down);
    void update(float dtMs);
    void draw();

    // Stage flow, driven by the application around the load blocker.
    void startGame() {}
    void markReadyToStart() { readyToStart = true; }
    void tearDown() { readyToStart = false; }
    bool isGameFinished() const { return gameFinished; }
    bool isTrueRoute() const { return trueRoute; }

    // The application's dimensions, copied at start-up and when the aspect changes.
    void setSceneSize(int width, int height);
    void setScreenSize(int width, int height);

    int getSceneWidth() const { return sceneWidth; }
    int getSceneHeight() const { return sceneHeight; }
    int getLastKeyCode() const { return lastKeyCode; }
    bool wasLastKeyDown() const { return lastKeyDown; }
    int getKeyEventCount() const { return keyEventCount; }

  private:
    CXGameSession() = default;
    int sceneWidth = 768, sceneHeight = 1024;  // scene units
    int screenWidth = 0, screenHeight = 0;     // pixels
    bool readyToStart = false;                 // the next update starts the session
    bool gameFinished = false;                 // the last stage was cleared
    bool trueRoute = false;                    // the game was finished on the true route
    int lastKeyCode = -1;
    bool lastKeyDown = false;
    int keyEventCount = 0;
};
