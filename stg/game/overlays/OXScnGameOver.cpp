#include "stg/game/overlays/OXScnGameOver.h"

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OverlayKit.h"

namespace {
constexpr float kBackdropAlpha = 0.9f;
}  // namespace

void OXScnGameOver::buildScene() {
    overlay::setupCamera(*this);
    backdrop = overlay::addBackdrop(*this, kBackdropAlpha);
    overlay::addSprite(*this, overlay::kPanel, 160, 250, 0.95f, 0.36f, 1.0f);
    titleText = overlay::addText(*this, "GAME OVER", 160, 242, 32, 1, {1.6f, 0.55f, 0.7f, 1.0f});
}

bool OXScnGameOver::fadeDone(void* scene, int) {
    static_cast<OXScnGameOver*>(scene)->finishPending = true;
    return false;
}

void OXScnGameOver::appear() {
    finishPending = false;
    // Faded as a whole, the panel would let the field's enemies and bullets show through it;
    // only the backdrop fades.
    setAlpha(1.0f);
    backdrop->resetActions();
    backdrop->fadeTo(kAppearMs, 0.0f, kBackdropAlpha, 1.0f, this, fadeDone);
}

void OXScnGameOver::update(float dtMs) {
    OXScene::update(dtMs);
    if (finishPending) {
        finishPending = false;
        CXGameSession::instance().gameOverFinished();
    }
}
