#pragma once

// What the menu scenes ask of the application that holds them: switching
// between the front-end screens and starting a stage. The application
// implements it; menus never reach above their own layer.
class IXMenuHost {
  public:
    virtual ~IXMenuHost() = default;
    // Slides the front-end scene at `index` in and the current one out.
    virtual void switchToScene(int index) = 0;
    // Asks for a stage to begin once the current frame is done.
    virtual void requestStageStart() = 0;
};
