#pragma once

#include "engine/OXScene.h"

class IXMenuHost;

// A front-end screen that is not built yet: a coloured panel with a row of
// marks that tells its index, so each screen can be told apart on sight.
// Back returns to the main menu.
class OXScnPlaceholderMenu : public OXScene {
  public:
    OXScnPlaceholderMenu(IXMenuHost& host, int index);

    void drawObjects() override;
    // Back to the main menu, so no placeholder is a dead end.
    void backPressed() override;
    int getIndex() const { return index; }

  protected:
    IXMenuHost& host;

  private:
    int index;  // position in the front-end scene list
};
