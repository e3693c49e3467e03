#include "tools/vortalis2-bench/StageFrame.h"

#include <GL/glew.h>

#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"
#include "stg/game/CXGameSession.h"

void drawStageFrame() {
    CXGfxManager& gfx = CXGfxManager::instance();
    IXGLDevice& gl = glDevice();
    gl.clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gfx.beginFrame();
    gl.clearColor(0, 0, 0, 1);
    gl.clear(GL_COLOR_BUFFER_BIT);
    CXGameSession::instance().draw();
    gfx.endFrame();
}
