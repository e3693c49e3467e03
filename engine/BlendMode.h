#pragma once
// The graphics manager's blend modes, numbered as content gives them (a background layer's
// "blend mode") and as setBlendMode takes them. Textures carry premultiplied alpha.
enum BlendMode : int {
    BlendPremultiplied = 0,    // ONE, ONE_MINUS_SRC_ALPHA: ordinary drawing
    BlendAdditive = 1,         // SRC_ALPHA, ONE: glows
    BlendScreen = 2,           // ONE, ONE_MINUS_SRC_COLOR
    BlendAdditiveToo = 3,      // as BlendAdditive
    BlendAlpha = 4,            // SRC_ALPHA, ONE_MINUS_SRC_ALPHA: straight alpha
    BlendMultiply = 5,         // DST_COLOR, ONE_MINUS_SRC_ALPHA
    BlendInverseMultiply = 6,  // ONE_MINUS_DST_COLOR, ONE_MINUS_SRC_ALPHA: inverts what lies below
    BlendDarken = 7,           // ZERO, SRC_ALPHA: darkens by alpha
    BlendModeCount = 8,
};
